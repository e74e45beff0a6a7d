// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "qt/window/ReadOnlyBox.h"

// A read-only box wrapped at a column count and with a fixed line pitch, so that the sentence
// shows as eight digits a line, sixteen lines high, in whatever monospaced font the desktop
// supplies: font metrics differ, the drawing does not. Where a line of the designed font is
// wider than the box, the font steps down until it fits.
class ColumnBox : public ReadOnlyBox {
public:
    ColumnBox(QWidget* parent, const QFont& font, int columns, int linePitchPixels);

    void showPlainText(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int linePitch_;
    QFont designed_;
};
