#pragma once

#include <optional>
#include <string>

// A serial line's settings in their comma form, "rate,parity,data bits,stop bits".
struct LineSettings {
    enum class Parity { none, even, odd, mark, space };

    int rate = 9600;
    Parity parity = Parity::none;
    int dataBits = 8;
    int stopBits = 1;

    // "19200,n,8,1": the form the port reports and accepts again.
    std::string text() const;
    bool operator==(const LineSettings&) const = default;
};

// What the rate selector gives the port for a rate: no parity, 8 data bits, 1 stop bit.
inline std::string lineSettingsAtRate(int rate) {
    return std::to_string(rate) + ",N,8,1";
}

struct ParsedLineSettings {
    std::optional<LineSettings> settings;
    std::string failure;
};

// Rates 110 to 115200 of the usual series, parity N, E, O, M or S in either case, data bits
// 5 to 8, stop bits 1 or 2; anything else fails with a message naming what is wrong.
ParsedLineSettings parseLineSettings(const std::string& text);
