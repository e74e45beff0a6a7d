// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <QProxyStyle>

// The window's look: Qt's Fusion style whatever style the desktop asks for, since the window is
// fixed in size and its texts are fitted to Fusion's margins, with the desktop's colours. Where
// Fusion draws an outline or the keyboard focus too faintly for some palettes (grey on grey,
// yellow on yellow), this draws it again: an outline stands 3:1 from the ground around it, and
// the focus is a ring in the text colour of the face it lies on.
class WindowStyle : public QProxyStyle {
public:
    WindowStyle();

    // Puts the style on the application once, keeping the colours that the desktop's own style
    // brought, a dark style's say.
    static void apply();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
};
