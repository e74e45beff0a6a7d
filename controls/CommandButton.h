// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/Observable.h"

#include <string>

// A standard push button.
class CommandButton {
public:
    explicit CommandButton(std::string caption) : caption_(std::move(caption)) {}

    Handler onPress;

    const std::string& caption() const { return caption_; }
    void press() { raise(onPress); }

private:
    std::string caption_;
};
