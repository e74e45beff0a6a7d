// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/SerialDeviceOrder.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {
struct Rank {
    int group;
    unsigned long number;
    auto operator<=>(const Rank&) const = default;
};

// Groups: 0 ttyUSB, 1 ttyACM, 2 the rest (kept in listed order, so number 0).
Rank rankOf(std::string_view location) {
    const std::string_view name = location.substr(location.find_last_of('/') + 1);
    constexpr std::string_view prefixes[]{"ttyUSB", "ttyACM"};
    for (int group = 0; group < 2; ++group) {
        const std::string_view prefix = prefixes[group];
        if (!name.starts_with(prefix)) {
            continue;
        }
        const std::string_view digits = name.substr(prefix.size());
        unsigned long number = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (!digits.empty() && error == std::errc{} && end == digits.data() + digits.size()) {
            return {group, number};
        }
    }
    return {2, 0};
}
} // namespace

std::vector<std::string> numberedSerialDevices(std::vector<std::string> systemLocations) {
    std::stable_sort(
        systemLocations.begin(), systemLocations.end(),
        [](const std::string& a, const std::string& b) { return rankOf(a) < rankOf(b); });
    return systemLocations;
}
