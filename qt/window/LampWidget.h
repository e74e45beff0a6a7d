// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <QColor>
#include <QWidget>

// A lamp: a rectangle filled solid, outlined in the theme's text colour so that it stands out
// from the window's ground whatever the theme, a dark lamp on a dark window included.
class LampWidget : public QWidget {
public:
    explicit LampWidget(QWidget* parent);

    QColor fill() const { return fill_; }
    void setFill(const QColor& fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
};
