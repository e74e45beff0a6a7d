#include "qt/window/Colours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {
// System colour n and the palette role nearest to the screen element it names.
constexpr std::array<std::pair<unsigned, QPalette::ColorRole>, 25> systemRoles{{
    {0, QPalette::Button},           // scroll bars
    {1, QPalette::Window},           // desktop
    {2, QPalette::Highlight},        // active caption
    {3, QPalette::Mid},              // inactive caption
    {4, QPalette::Window},           // menu
    {5, QPalette::Base},             // window background
    {6, QPalette::Shadow},           // window frame
    {7, QPalette::WindowText},       // menu text
    {8, QPalette::Text},             // window text
    {9, QPalette::HighlightedText},  // caption text
    {10, QPalette::Window},          // active border
    {11, QPalette::Window},          // inactive border
    {12, QPalette::Dark},            // application workspace
    {13, QPalette::Highlight},       // selected item
    {14, QPalette::HighlightedText}, // selected item text
    {15, QPalette::Button},          // button face
    {16, QPalette::Dark},            // button shadow
    {17, QPalette::PlaceholderText}, // grey text
    {18, QPalette::ButtonText},      // button text
    {19, QPalette::WindowText},      // inactive caption text
    {20, QPalette::Light},           // button highlight
    {21, QPalette::Shadow},          // dark 3D shadow
    {22, QPalette::Midlight},        // light 3D
    {23, QPalette::ToolTipText},     // tool tip text
    {24, QPalette::ToolTipBase},     // tool tip background
}};

// The ground roles and the text role drawn on each.
constexpr std::array<std::pair<QPalette::ColorRole, QPalette::ColorRole>, 5> textRoles{{
    {QPalette::Window, QPalette::WindowText},
    {QPalette::Base, QPalette::Text},
    {QPalette::Button, QPalette::ButtonText},
    {QPalette::Highlight, QPalette::HighlightedText},
    {QPalette::ToolTipBase, QPalette::ToolTipText},
}};

QPalette::ColorRole systemRole(Colour colour) {
    const unsigned n = colour - colours::systemColourFlag;
    for (const auto& [number, role] : systemRoles) {
        if (number == n) {
            return role;
        }
    }
    return QPalette::Window;
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
    if (!colours::isSystem(colour)) {
        return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                      static_cast<int>((colour >> 16) & 0xFF));
    }
    return palette.color(systemRole(colour));
}

QColor textOn(Colour ground, const QPalette& palette) {
    if (colours::isSystem(ground)) {
        const QPalette::ColorRole role = systemRole(ground);
        for (const auto& [back, text] : textRoles) {
            if (back == role) {
                return palette.color(text);
            }
        }
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
