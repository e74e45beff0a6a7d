// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "parts/LineEditor.h"

#include "sentence/SentenceCheck.h"

LineEditor::LineEditor(Controls controls, Sentence& sentence, NoticeBox& notices)
    : controls_(controls), sentence_(sentence), notices_(notices) {}

void LineEditor::listLines() {
    constexpr int lineCount = HexDigits::cellCount / HexDigits::lineLength;
    for (int line = 1; line <= lineCount; ++line) {
        const int entry = controls_.lineSelector.addItem(lineLabel(line));
        controls_.lineSelector.setItemData(entry, line);
    }
}

void LineEditor::lineChosen() {
    const int line = controls_.lineSelector.itemData(controls_.lineSelector.listIndex());
    lineStart_ = (line - 1) * HexDigits::lineLength;
    const Sentence::Line shown = sentence_.line(lineStart_);
    for (int column = 0; column < HexDigits::lineLength; ++column) {
        controls_.cells[column].setText(shown[column]);
    }
}

// The cells go back whole: the store keeps whatever the user typed, and the user hears what in it
// the radio will not take.
void LineEditor::acceptPressed() {
    Sentence::Line typed;
    for (int column = 0; column < HexDigits::lineLength; ++column) {
        typed[column] = controls_.cells[column].text();
    }
    sentence_.acceptLine(lineStart_, typed);
    const std::string line = lineLabel(lineStart_ / HexDigits::lineLength + 1);
    if (const auto fault = sentence_.lineFault(lineStart_)) {
        notices_.report("Line " + line +
                        " was accepted as typed, but each cell takes one hexadecimal digit: " +
                        *fault + ". Correct the cells and press Accept Changes again.");
    } else {
        notices_.announce("Line " + line + " accepted");
    }
}
