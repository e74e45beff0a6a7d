// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <QTextEdit>

// A multi-line box that the user can read, select and copy from but not type into. Tab leaves
// it, since it takes no text. With the focus it shows an outline in its own text colour: a
// caret alone is easily missed, and a theme's focus colour may not read on the box's ground.
// Wrapped at its width, its lines break where the width falls, so the Up and Down arrows move by
// the lines as written: a screen reader reads the whole written line at the caret, and would
// read it again for each of its rows on screen.
class ReadOnlyBox : public QTextEdit {
public:
    explicit ReadOnlyBox(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
