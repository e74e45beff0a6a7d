// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/WindowStyle.h"

#include "qt/window/Colours.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace {
// 3:1 is what an outline needs; controls stand on the inside of frames, which Fusion shades a
// little off the window colour measured here.
constexpr double outlineContrast = 3.5;
constexpr int ringWidth = 2;

enum class Corners { round, square };

// The outline Fusion draws, at the same place, in the colour nearest the ground that stands out
// from it.
void outline(QPainter* painter, const QStyleOption* option, Corners corners) {
    const QColor ground = option->palette.color(QPalette::Window);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(
        standingOut(ground, option->palette.color(QPalette::WindowText), ground, outlineContrast));
    painter->setBrush(Qt::NoBrush);
    const QRectF edge = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = corners == Corners::round ? 2 : 0;
    painter->drawRoundedRect(edge, radius, radius);
    painter->restore();
}

// Just inside the outline, in the text colour of the face the ring lies on, which the palette
// pairs with that face for reading.
void focusRing(QPainter* painter, const QRect& rect, const QColor& colour) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    QPen ring(colour, ringWidth);
    ring.setJoinStyle(Qt::MiterJoin);
    painter->setPen(ring);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(rect).adjusted(ringWidth, ringWidth, -ringWidth, -ringWidth));
    painter->restore();
}

bool byKeyboard(const QStyleOption* option) {
    return option->state.testFlag(QStyle::State_HasFocus) &&
           option->state.testFlag(QStyle::State_KeyboardFocusChange);
}
} // namespace

WindowStyle::WindowStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void WindowStyle::apply() {
    if (dynamic_cast<WindowStyle*>(QApplication::style())) {
        return;
    }
    const QPalette desktop = QApplication::palette();
    QApplication::setStyle(new WindowStyle);
    if (QApplication::palette() != desktop) {
        // Every role counts as set, or the application would fill them from Fusion's palette.
        QPalette kept = desktop;
        kept.setResolveMask(~QPalette::ResolveMask(0));
        QApplication::setPalette(kept);
    }
}

void WindowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    // A combo box is outlined once, round the whole box, not round each part Fusion draws.
    const bool partOfComboBox = qobject_cast<const QComboBox*>(widget) != nullptr;
    switch (element) {
    case PE_FrameFocusRect:
        if (qobject_cast<const QCheckBox*>(widget)) {
            if (option->state.testFlag(State_KeyboardFocusChange)) {
                painter->save();
                painter->setPen(option->palette.color(QPalette::WindowText));
                painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
                painter->restore();
            }
            return;
        }
        break;
    case PE_PanelButtonCommand:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (!partOfComboBox) {
            outline(painter, option, Corners::round);
            if (byKeyboard(option)) {
                focusRing(painter, option->rect, option->palette.color(QPalette::ButtonText));
            }
        }
        return;
    case PE_FrameLineEdit:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (!partOfComboBox) {
            outline(painter, option, Corners::round);
            if (option->state.testFlag(State_HasFocus)) {
                focusRing(painter, option->rect, option->palette.color(QPalette::Text));
            }
        }
        return;
    case PE_IndicatorCheckBox:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        outline(painter, option, Corners::square);
        return;
    case PE_Frame:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (qobject_cast<const QAbstractScrollArea*>(widget)) {
            outline(painter, option, Corners::square);
        }
        return;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void WindowStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox) {
        outline(painter, option, Corners::round);
        if (option->state.testFlag(State_HasFocus)) {
            focusRing(painter, option->rect, option->palette.color(QPalette::Text));
        }
    }
}
