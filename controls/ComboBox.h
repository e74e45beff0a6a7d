// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/Observable.h"

#include <cstdint>
#include <string>
#include <vector>

// A drop-down combo box: an edit field the user can type into, plus a list of items
// in the order added.
class ComboBox : public Observable {
public:
    static constexpr std::int16_t noSelection = -1;

    struct Item {
        std::string text;
        std::int32_t data = 0;
    };

    explicit ComboBox(std::string text = {}, std::vector<Item> items = {})
        : text_(std::move(text)), items_(std::move(items)) {}

    Handler onChosen;

    const std::string& text() const { return text_; }
    std::int16_t listIndex() const { return listIndex_; }
    int listCount() const { return static_cast<int>(items_.size()); }
    const std::vector<Item>& items() const { return items_; }
    const std::string& itemText(int index) const { return items_.at(index).text; }
    std::int32_t itemData(int index) const { return items_.at(index).data; }

    // From the logic: changes only the text shown, raises nothing.
    void setText(const std::string& text) {
        if (text != text_) {
            text_ = text;
            changed();
        }
    }

    // Returns the index of the item just appended.
    int addItem(std::string text) {
        items_.push_back({std::move(text), 0});
        changed();
        return listCount() - 1;
    }

    void setItemData(int index, std::int32_t data) { items_.at(index).data = data; }

    // The user types into the edit field: only the text changes.
    void type(const std::string& text) { setText(text); }

    // The user picks an item from the list, with the mouse or the arrow keys.
    void choose(int index) {
        if (index < 0 || index >= listCount()) {
            return;
        }
        listIndex_ = static_cast<std::int16_t>(index);
        text_ = items_[index].text;
        changed();
        raise(onChosen);
    }

private:
    std::string text_;
    std::vector<Item> items_;
    std::int16_t listIndex_ = noSelection;
};
