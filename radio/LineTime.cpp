// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "radio/LineTime.h"

#include <algorithm>
#include <cstdint>

std::chrono::microseconds lineTime(const LineSettings& settings, std::size_t bytes) {
    const std::uint64_t bitsPerCharacter = 1 + static_cast<std::uint64_t>(settings.dataBits) +
                                           (settings.parity == LineSettings::Parity::none ? 0 : 1) +
                                           static_cast<std::uint64_t>(settings.stopBits);
    const std::uint64_t rate = static_cast<std::uint64_t>(std::max(settings.rate, 1));
    const std::uint64_t bitMicroseconds = bytes * bitsPerCharacter * 1'000'000;
    return std::chrono::microseconds((bitMicroseconds + rate - 1) / rate);
}

void LineClock::wrote(std::size_t bytes, const LineSettings& settings, Clock::time_point now,
                      std::size_t systemQueued) {
    const Clock::time_point queueLeaves = now + lineTime(settings, systemQueued);
    freeAt_ = std::max({freeAt_, now, queueLeaves}) + lineTime(settings, bytes);
}

bool LineClock::isBusy(Clock::time_point now, std::size_t systemQueued) const {
    return systemQueued > 0 || now < freeAt_;
}
