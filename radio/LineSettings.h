// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

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

struct ParsedLineSettings {
    std::optional<LineSettings> settings;
    std::string failure;
};

// Rates 110 to 115200 of the usual series, parity N, E, O, M or S in either case, data bits
// 5 to 8, stop bits 1 or 2; anything else fails with a message naming what is wrong.
ParsedLineSettings parseLineSettings(const std::string& text);

// What the rate selector's choice applies: no parity, eight data bits, and the stop bits the
// TS-2000's manual asks for at that rate (two at 4800 baud, else one).
std::string selectedRateSettings(int rate);
