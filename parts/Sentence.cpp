// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "parts/Sentence.h"

#include "sentence/SentenceCheck.h"

Sentence::Sentence(Controls controls) : controls_(controls) {}

void Sentence::load(const std::string& sentence) {
    show(sentence);
    takeShown();
}

void Sentence::show(const std::string& line) {
    controls_.sentenceBox.setText(line);
}

void Sentence::takeShown() {
    controls_.digitStore.split(controls_.sentenceBox.text());
}

void Sentence::showStored() {
    controls_.sentenceBox.setText(joined());
}

void Sentence::showSent(const std::string& sent) {
    controls_.sentenceBox.setText(sent);
}

Sentence::Line Sentence::line(int first) const {
    Line cells;
    for (int column = 0; column < HexDigits::lineLength; ++column) {
        cells[column] = controls_.digitStore.cell(first + column);
    }
    return cells;
}

void Sentence::acceptLine(int first, const Line& cells) {
    for (int column = 0; column < HexDigits::lineLength; ++column) {
        controls_.digitStore.setCell(first + column, cells[column]);
    }
}

std::optional<std::string> Sentence::fault(const std::string& text) const {
    return sentenceFault(text, controls_.digitStore);
}

std::optional<std::string> Sentence::lineFault(int first) const {
    return ::lineFault(controls_.digitStore, first);
}
