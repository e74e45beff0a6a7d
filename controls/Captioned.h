// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/Observable.h"

#include <string>

// The window itself and its frames: a caption and nothing the logic changes.
class Captioned {
public:
    explicit Captioned(std::string caption) : caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }

private:
    std::string caption_;
};

using Form = Captioned;
using Frame = Captioned;
using Menu = Captioned;

class MenuItem : public Captioned {
public:
    using Captioned::Captioned;
    Handler onChosen;
    void choose() { raise(onChosen); }
};
