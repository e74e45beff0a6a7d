// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "settings/StoredPortNumber.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace {
bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// True when text is [+-] digits [. digits] [e [+-] digits], with at least one mantissa digit.
bool isDecimalNumber(std::string_view text) {
    std::size_t at = 0;
    auto digits = [&] {
        const std::size_t start = at;
        while (at < text.size() && isDigit(text[at])) {
            ++at;
        }
        return at - start;
    };
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    std::size_t mantissa = digits();
    if (at < text.size() && text[at] == '.') {
        ++at;
        mantissa += digits();
    }
    if (mantissa == 0) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        if (digits() == 0) {
            return false;
        }
    }
    return at == text.size();
}
} // namespace

StoredPortNumber parseStoredPortNumber(const std::string& text) {
    std::string_view trimmed(text);
    while (!trimmed.empty() && isBlank(trimmed.front())) {
        trimmed.remove_prefix(1);
    }
    while (!trimmed.empty() && isBlank(trimmed.back())) {
        trimmed.remove_suffix(1);
    }
    const std::string quoted = "Port number \"" + text + "\"";
    if (!isDecimalNumber(trimmed)) {
        return {std::nullopt, quoted + " is not a number"};
    }
    // from_chars takes no leading plus and reads the C locale whatever the desktop's is.
    if (trimmed.front() == '+') {
        trimmed.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    const double rounded = std::nearbyint(value);
    if (error != std::errc{} || end != trimmed.data() + trimmed.size() ||
        rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return {std::nullopt, quoted + " is out of range"};
    }
    return {static_cast<std::int16_t>(rounded), {}};
}
