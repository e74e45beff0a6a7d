#pragma once

#include <cstdint>

// 0x00BBGGRR, or 0x80000000 + n for the desktop's system colour n.
using Colour = std::uint32_t;

namespace colours {
constexpr Colour red = 255;
constexpr Colour darkRed = 128;
constexpr Colour green = 65280;
constexpr Colour darkGreen = 32768;
constexpr Colour yellow = 65535;
constexpr Colour cyan = 16776960;
constexpr Colour darkBlue = 8388608;
constexpr Colour lightYellow = 8454143;

constexpr Colour systemColourFlag = 0x80000000u;
constexpr Colour system(unsigned n) {
    return systemColourFlag + n;
}
constexpr bool isSystem(Colour colour) {
    return (colour & systemColourFlag) != 0;
}

constexpr Colour scrollBars = system(0);
constexpr Colour activeBorder = system(10);
} // namespace colours
