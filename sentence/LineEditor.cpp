#include "sentence/LineEditor.h"

LineEditor::LineEditor(Controls controls) : controls_(controls) {}

void LineEditor::listLines() {
    constexpr int lineCount = HexDigits::cellCount / HexDigits::lineLength;
    for (int line = 1; line <= lineCount; ++line) {
        const int entry =
            controls_.lineSelector.addItem((line < 10 ? "0" : "") + std::to_string(line));
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

// The cells go back whole and unchecked: the store keeps whatever the user typed.
void LineEditor::acceptPressed() {
    int position = lineStart_;
    for (const auto& cell : controls_.cells) {
        controls_.digitStore.setCell(position, cell.text());
        ++position;
    }
}
