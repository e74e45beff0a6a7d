// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "parts/Sentence.h"

#include "sentence/SentenceCheck.h"

#include <vector>

namespace {
Sentence::Line lineOf(const HexDigits& digits, int first) {
    Sentence::Line cells;
    for (int column = 0; column < HexDigits::lineLength; ++column) {
        cells[column] = digits.cell(first + column);
    }
    return cells;
}

// "line 03", "lines 03 and 05", "lines 03, 05 and 07"
std::string lineList(const std::vector<int>& lines) {
    std::string said = lines.size() == 1 ? "line " : "lines ";
    for (std::size_t at = 0; at < lines.size(); ++at) {
        said += (at == 0 ? "" : at + 1 == lines.size() ? " and " : ", ") + lineLabel(lines[at]);
    }
    return said;
}
} // namespace

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
    acceptedLines_.clear();
}

void Sentence::showStored() {
    controls_.sentenceBox.setText(joined());
}

Sentence::Line Sentence::line(int first) const {
    return lineOf(controls_.digitStore, first);
}

void Sentence::acceptLine(int first, const Line& cells) {
    for (int column = 0; column < HexDigits::lineLength; ++column) {
        controls_.digitStore.setCell(first + column, cells[column]);
    }
    acceptedLines_.insert(first / HexDigits::lineLength + 1);
}

// An accepted line is unsent where the box, split as a load splits it, would not give its cells
// back: a send since, or an edit accepted unchanged, leaves nothing to tell.
std::optional<std::string> Sentence::unsentLines() const {
    if (joined() == shown()) {
        return std::nullopt;
    }
    HexDigits boxDigits;
    boxDigits.split(shown());
    std::vector<int> lines;
    for (const int accepted : acceptedLines_) {
        const int first = (accepted - 1) * HexDigits::lineLength;
        if (line(first) != lineOf(boxDigits, first)) {
            lines.push_back(accepted);
        }
    }
    if (lines.empty()) {
        return std::nullopt;
    }
    return lineList(lines);
}

std::optional<std::string> Sentence::fault(const std::string& text) const {
    return sentenceFault(text, controls_.digitStore);
}

std::optional<std::string> Sentence::lineFault(int first) const {
    return ::lineFault(controls_.digitStore, first);
}
