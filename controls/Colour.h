// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <cstdint>

// A colour the window fixes: a red, green and blue of its own, or one of the colours the
// desktop's theme gives, so that it follows a dark or high-contrast scheme.
class Colour {
public:
    // The desktop's colours the window takes.
    enum class Desktop : std::uint8_t { scrollBars };

    static constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return Colour(red, green, blue);
    }
    static constexpr Colour desktop(Desktop role) {
        Colour colour(0, 0, 0);
        colour.desktop_ = true;
        colour.role_ = role;
        return colour;
    }

    constexpr bool isDesktop() const { return desktop_; }
    constexpr Desktop desktopRole() const { return role_; }
    constexpr std::uint8_t red() const { return red_; }
    constexpr std::uint8_t green() const { return green_; }
    constexpr std::uint8_t blue() const { return blue_; }

    constexpr bool operator==(const Colour&) const = default;

private:
    constexpr Colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
        : red_(red), green_(green), blue_(blue) {}

    std::uint8_t red_;
    std::uint8_t green_;
    std::uint8_t blue_;
    bool desktop_ = false;
    Desktop role_ = Desktop::scrollBars;
};

namespace colours {
inline constexpr Colour red = Colour::rgb(255, 0, 0);
inline constexpr Colour darkRed = Colour::rgb(128, 0, 0);
inline constexpr Colour green = Colour::rgb(0, 255, 0);
inline constexpr Colour darkGreen = Colour::rgb(0, 128, 0);
inline constexpr Colour yellow = Colour::rgb(255, 255, 0);
inline constexpr Colour cyan = Colour::rgb(0, 255, 255);
inline constexpr Colour darkBlue = Colour::rgb(0, 0, 128);
inline constexpr Colour lightYellow = Colour::rgb(255, 255, 128);
inline constexpr Colour scrollBars = Colour::desktop(Colour::Desktop::scrollBars);
} // namespace colours
