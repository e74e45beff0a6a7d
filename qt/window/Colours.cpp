// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/Colours.h"

#include <algorithm>
#include <cmath>

namespace {
struct Roles {
    QPalette::ColorRole ground;
    QPalette::ColorRole text;
};

// The palette roles that play the part of a desktop's colour, and of the text drawn on it.
Roles rolesOf(Colour::Desktop colour) {
    switch (colour) {
    case Colour::Desktop::scrollBars:
        break;
    }
    return {QPalette::Button, QPalette::ButtonText};
}

double luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}
} // namespace

QColor toQColor(Colour colour, const QPalette& palette) {
    if (!colour.isDesktop()) {
        return QColor(colour.red(), colour.green(), colour.blue());
    }
    return palette.color(rolesOf(colour.desktopRole()).ground);
}

QColor textOn(Colour ground, const QPalette& palette) {
    if (ground.isDesktop()) {
        return palette.color(rolesOf(ground.desktopRole()).text);
    }
    return blackOrWhiteOn(toQColor(ground, palette));
}

double contrast(const QColor& one, const QColor& other) {
    const double first = luminance(one);
    const double second = luminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor blackOrWhiteOn(const QColor& ground) {
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrast(ground, black) >= contrast(ground, white) ? black : white;
}

QColor standingOut(const QColor& colour, const QColor& toward, const QColor& ground, double least) {
    constexpr int steps = 255;
    const auto between = [](int from, int to, int step) {
        return static_cast<int>(std::lround(from + (to - from) * step / double(steps)));
    };
    for (int step = 0; step < steps; ++step) {
        const QColor mixed(between(colour.red(), toward.red(), step),
                           between(colour.green(), toward.green(), step),
                           between(colour.blue(), toward.blue(), step));
        if (contrast(mixed, ground) >= least) {
            return mixed;
        }
    }
    return toward;
}
