// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/Observable.h"

#include <string>

class CheckBox : public Observable {
public:
    enum Value { unticked = 0, ticked = 1, greyed = 2 };

    CheckBox(std::string caption, int value) : caption_(std::move(caption)), value_(value) {}

    const std::string& caption() const { return caption_; }
    int value() const { return value_; }
    bool isTicked() const { return value_ == ticked; }

    // The user's toggle; no handler runs.
    void setValue(int value) {
        if (value != value_) {
            value_ = value;
            changed();
        }
    }

private:
    std::string caption_;
    int value_;
};
