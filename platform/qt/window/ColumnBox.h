#pragma once

#include <QTextEdit>

// A text box wrapped at a column count and with a fixed line pitch, so that the sentence
// shows as eight digits a line, sixteen lines high, in whatever monospaced font the desktop
// supplies: font metrics differ, the drawing does not.
class ColumnBox : public QTextEdit {
public:
    ColumnBox(QWidget* parent, int columns, int linePitchPixels);

    void showPlainText(const QString& text);

private:
    int linePitch_;
};
