// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/MessageBox.h"

#include <string>
#include <vector>

class RecordedMessageBox : public MessageBox {
public:
    struct Shown {
        std::string caption;
        std::string text;
    };
    std::vector<Shown> shown;

    void showWarning(const std::string& caption, const std::string& text) override {
        shown.push_back({caption, text});
    }
};
