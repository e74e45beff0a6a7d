// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/ComboBox.h"
#include "controls/NoticeBox.h"
#include "controls/TextBox.h"
#include "parts/Sentence.h"

#include <array>

// The line editor: choose one of the sixteen lines, change its eight cells, and Accept Changes
// puts them back into the digit store.
class LineEditor {
public:
    using Cells = std::array<TextBox, HexDigits::lineLength>;

    struct Controls {
        ComboBox& lineSelector;
        Cells& cells;
    };

    LineEditor(Controls controls, Sentence& sentence, NoticeBox& notices);

    // Fills the line selector with "01" to "16".
    void listLines();
    void lineChosen();
    void acceptPressed();

    // The store position of the first cell shown.
    int lineStart() const { return lineStart_; }

private:
    Controls controls_;
    Sentence& sentence_;
    NoticeBox& notices_;
    int lineStart_ = 0;
};
