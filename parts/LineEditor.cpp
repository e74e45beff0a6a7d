// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "parts/LineEditor.h"

#include "sentence/SentenceCheck.h"

#include <cstdio>

namespace {
std::string spokenCharacter(char c) {
    if (c == ' ') {
        return "space";
    }
    if (c > ' ' && c <= '~') {
        return std::string(1, c);
    }
    char code[24];
    std::snprintf(code, sizeof code, "character 0x%02X", static_cast<unsigned char>(c));
    return code;
}

// A screen reader reads "2E" as a word and says nothing for an empty cell, so each character is
// said on its own, an empty cell as "empty", and a cell of several characters with its place.
std::string spokenLine(const Sentence::Line& cells) {
    std::string said;
    bool afterSeveral = false;
    for (int column = 0; column < HexDigits::lineLength; ++column) {
        const std::string& cell = cells[column];
        const bool several = cell.size() > 1;
        if (column > 0) {
            said += several || afterSeveral ? ", " : " ";
        }
        if (cell.empty()) {
            said += "empty";
        } else if (several) {
            said += "digit " + std::to_string(column + 1) + " holds";
            for (const char c : cell) {
                said += " " + spokenCharacter(c);
            }
        } else {
            said += spokenCharacter(cell.front());
        }
        afterSeveral = several;
    }
    return said;
}
} // namespace

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
    notices_.announce("Line " + lineLabel(line) + ": " + spokenLine(shown));
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
        notices_.announce("Line " + line + " accepted; Update sends it to the radio");
    }
}
