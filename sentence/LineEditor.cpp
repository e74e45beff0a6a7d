#include "app/MainWindow.h"

void MainWindow::Combo4_Click() {
    const int line = Combo4.itemData(Combo4.listIndex());
    const int first = (line - 1) * HexDigits::lineLength;
    lineStart = static_cast<std::int16_t>(first);
    for (int column = 0; column < HexDigits::lineLength; ++column) {
        Text2[column].setText(hexDigits.cell(first + column));
    }
}

// The cells go back whole and unchecked: the store keeps whatever the user typed.
void MainWindow::Command3_Click() {
    int position = lineStart;
    for (const auto& cell : Text2) {
        hexDigits.setCell(position, cell.text());
        ++position;
    }
}
