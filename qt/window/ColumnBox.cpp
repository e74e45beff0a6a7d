// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/ColumnBox.h"

#include "qt/window/Fitting.h"

#include <QFontMetricsF>
#include <QTextBlockFormat>
#include <QTextCursor>

ColumnBox::ColumnBox(QWidget* parent, const QFont& font, int columns, int linePitchPixels)
    : ReadOnlyBox(parent), linePitch_(linePitchPixels), designed_(font) {
    setFont(font);
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

void ColumnBox::resizeEvent(QResizeEvent* event) {
    // The viewport's width is known only now, with the frame and scroll bar of the style in use.
    const double room = viewport()->width() - 2 * document()->documentMargin();
    const QString line(lineWrapColumnOrWidth(), QChar('0'));
    setFont(fitting::largestFitting(designed_, [&](const QFont& candidate) {
        return QFontMetricsF(candidate).horizontalAdvance(line) < room;
    }));
    ReadOnlyBox::resizeEvent(event);
}
