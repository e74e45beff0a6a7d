// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/LampWidget.h"

#include <QPainter>

LampWidget::LampWidget(QWidget* parent) : QWidget(parent) {}

void LampWidget::setFill(const QColor& fill) {
    if (fill != fill_) {
        fill_ = fill;
        update();
    }
}

void LampWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), fill_);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
