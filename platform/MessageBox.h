// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>

// A modal message with a warning icon and one OK button.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Returns when the user has dismissed it.
    virtual void showWarning(const std::string& caption, const std::string& text) = 0;
};
