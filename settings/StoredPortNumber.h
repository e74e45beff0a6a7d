// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The stored "CommPort" text as a port number: a decimal number (sign, fraction and exponent
// allowed, blanks around it ignored), rounded half to even into the 16-bit signed range.
struct StoredPortNumber {
    std::optional<std::int16_t> number;
    std::string failure;
};

StoredPortNumber parseStoredPortNumber(const std::string& text);
