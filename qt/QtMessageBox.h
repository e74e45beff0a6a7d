// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/MessageBox.h"

class QtMessageBox : public MessageBox {
public:
    void showWarning(const std::string& caption, const std::string& text) override;
};
