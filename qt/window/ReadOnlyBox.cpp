// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/ReadOnlyBox.h"

#include <QKeyEvent>
#include <QPainter>

namespace {
constexpr int outlineWidth = 2;
} // namespace

ReadOnlyBox::ReadOnlyBox(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The outline is drawn in this margin, clear of the text.
    document()->setDocumentMargin(outlineWidth);
}

void ReadOnlyBox::keyPressEvent(QKeyEvent* event) {
    const bool up = event->key() == Qt::Key_Up;
    const bool down = event->key() == Qt::Key_Down;
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    if (lineWrapMode() != WidgetWidth || !(up || down) || (held & ~Qt::ShiftModifier)) {
        QTextEdit::keyPressEvent(event);
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.movePosition(up ? QTextCursor::PreviousBlock : QTextCursor::NextBlock,
                        held & Qt::ShiftModifier ? QTextCursor::KeepAnchor
                                                 : QTextCursor::MoveAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void ReadOnlyBox::paintEvent(QPaintEvent* event) {
    QTextEdit::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(viewport());
        QPen outline(palette().color(QPalette::Text), outlineWidth);
        outline.setJoinStyle(Qt::MiterJoin);
        painter.setPen(outline);
        painter.drawRect(QRectF(viewport()->rect())
                             .adjusted(outlineWidth / 2.0, outlineWidth / 2.0, -outlineWidth / 2.0,
                                       -outlineWidth / 2.0));
    }
}

void ReadOnlyBox::focusInEvent(QFocusEvent* event) {
    QTextEdit::focusInEvent(event);
    viewport()->update();
}

void ReadOnlyBox::focusOutEvent(QFocusEvent* event) {
    QTextEdit::focusOutEvent(event);
    viewport()->update();
}
