#include "platform/qt/window/ColumnBox.h"

#include <QTextBlockFormat>
#include <QTextCursor>

ColumnBox::ColumnBox(QWidget* parent, int columns, int linePitchPixels)
    : QTextEdit(parent), linePitch_(linePitchPixels) {
    setLineWrapMode(QTextEdit::FixedColumnWidth);
    setLineWrapColumnOrWidth(columns);
    setWordWrapMode(QTextOption::WrapAnywhere);
}

void ColumnBox::showPlainText(const QString& text) {
    setPlainText(text);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    QTextBlockFormat pitch;
    pitch.setLineHeight(linePitch_, QTextBlockFormat::FixedHeight);
    all.mergeBlockFormat(pitch);
}
