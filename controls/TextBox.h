// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/Observable.h"

#include <string>

class TextBox : public Observable {
public:
    enum class Typing { allowed, readOnly };

    explicit TextBox(Typing typing, std::string text = {})
        : typing_(typing), text_(std::move(text)) {}

    const std::string& text() const { return text_; }
    bool isReadOnly() const { return typing_ == Typing::readOnly; }

    void setText(const std::string& text) {
        if (text != text_) {
            text_ = text;
            changed();
        }
    }

    // The user's typing; a read-only box ignores it.
    void type(const std::string& text) {
        if (!isReadOnly()) {
            setText(text);
        }
    }

private:
    Typing typing_;
    std::string text_;
};
