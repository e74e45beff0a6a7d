// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/Colour.h"
#include "controls/Observable.h"

#include <string>
#include <utility>

// A lamp: a small rectangle, lit in one colour or dark in another. Its colour alone tells a
// blind user nothing, so it says its state in words too.
class Lamp : public Observable {
public:
    struct Look {
        Colour colour;
        std::string state;
    };

    // Starts dark.
    Lamp(std::string name, Look lit, Look dark)
        : name_(std::move(name)), lit_(std::move(lit)), dark_(std::move(dark)) {}

    bool isLit() const { return isLit_; }
    Colour fillColour() const { return look().colour; }
    // "Port lamp: open"
    std::string spokenState() const { return name_ + ": " + look().state; }

    void setLit(bool lit) {
        if (lit != isLit_) {
            isLit_ = lit;
            changed();
        }
    }

private:
    const Look& look() const { return isLit_ ? lit_ : dark_; }

    std::string name_;
    Look lit_;
    Look dark_;
    bool isLit_ = false;
};
