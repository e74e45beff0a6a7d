#include "platform/qt/window/Colours.h"

#include <array>
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
} // namespace

QColor toQColor(Colour colour, const QPalette& palette) {
    if (!colours::isSystem(colour)) {
        return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                      static_cast<int>((colour >> 16) & 0xFF));
    }
    const unsigned n = colour - colours::systemColourFlag;
    for (const auto& [number, role] : systemRoles) {
        if (number == n) {
            return palette.color(role);
        }
    }
    return palette.color(QPalette::Window);
}
