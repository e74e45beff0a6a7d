// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "radio/LineSettings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <vector>

namespace {
constexpr std::array<int, 12> supportedRates{110,  300,   600,   1200,  2400,  4800,
                                             9600, 14400, 19200, 38400, 57600, 115200};

std::vector<std::string> fieldsOf(const std::string& text) {
    std::vector<std::string> fields(1);
    for (char c : text) {
        if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::optional<int> wholeNumber(const std::string& field) {
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc{} || end != field.data() + field.size()) {
        return std::nullopt;
    }
    return value;
}

ParsedLineSettings failure(std::string why) {
    return {std::nullopt, std::move(why)};
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}
} // namespace

std::string LineSettings::text() const {
    static constexpr std::array<char, 5> letters{'n', 'e', 'o', 'm', 's'};
    return std::to_string(rate) + ',' + letters[static_cast<std::size_t>(parity)] + ',' +
           std::to_string(dataBits) + ',' + std::to_string(stopBits);
}

ParsedLineSettings parseLineSettings(const std::string& text) {
    const std::vector<std::string> fields = fieldsOf(text);
    if (fields.size() != 4) {
        return failure("Line settings " + quoted(text) +
                       " must be rate, parity, data bits and stop bits separated by commas");
    }
    LineSettings settings;

    const auto rate = wholeNumber(fields[0]);
    if (!rate ||
        std::find(supportedRates.begin(), supportedRates.end(), *rate) == supportedRates.end()) {
        return failure("Rate " + quoted(fields[0]) + " is not a supported baud rate");
    }
    settings.rate = *rate;

    const std::string& parity = fields[1];
    const char letter = parity.size() == 1
                            ? static_cast<char>(std::toupper(static_cast<unsigned char>(parity[0])))
                            : '\0';
    switch (letter) {
    case 'N':
        settings.parity = LineSettings::Parity::none;
        break;
    case 'E':
        settings.parity = LineSettings::Parity::even;
        break;
    case 'O':
        settings.parity = LineSettings::Parity::odd;
        break;
    case 'M':
        settings.parity = LineSettings::Parity::mark;
        break;
    case 'S':
        settings.parity = LineSettings::Parity::space;
        break;
    default:
        return failure("Parity " + quoted(parity) + " is not one of N, E, O, M or S");
    }

    const auto dataBits = wholeNumber(fields[2]);
    if (!dataBits || *dataBits < 5 || *dataBits > 8) {
        return failure("Data bits " + quoted(fields[2]) + " must be 5, 6, 7 or 8");
    }
    settings.dataBits = *dataBits;

    const auto stopBits = wholeNumber(fields[3]);
    if (!stopBits || (*stopBits != 1 && *stopBits != 2)) {
        return failure("Stop bits " + quoted(fields[3]) + " must be 1 or 2");
    }
    settings.stopBits = *stopBits;
    return {settings, {}};
}

std::string selectedRateSettings(int rate) {
    return std::to_string(rate) + (rate == 4800 ? ",N,8,2" : ",N,8,1");
}
