#include "parts/LineEditor.h"

#include "sentence/SentenceCheck.h"

LineEditor::LineEditor(Controls controls, NoticeBox& notices)
    : controls_(controls), notices_(notices) {}

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
    for (int column = 0; column < HexDigits::lineLength; ++column) {
        controls_.cells[column].setText(controls_.digitStore.cell(lineStart_ + column));
    }
}

// The cells go back whole: the store keeps whatever the user typed, and the user hears what in it
// the radio will not take.
void LineEditor::acceptPressed() {
    int position = lineStart_;
    for (const auto& cell : controls_.cells) {
        controls_.digitStore.setCell(position, cell.text());
        ++position;
    }
    const std::string line = lineLabel(lineStart_ / HexDigits::lineLength + 1);
    if (const auto fault = lineFault(controls_.digitStore, lineStart_)) {
        notices_.report("Line " + line +
                        " was accepted as typed, but each cell takes one hexadecimal digit: " +
                        *fault + ". Correct the cells and press Accept Changes again.");
    } else {
        notices_.announce("Line " + line + " accepted");
    }
}
