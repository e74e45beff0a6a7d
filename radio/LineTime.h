// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "radio/LineSettings.h"

#include <chrono>
#include <cstddef>

// How long bytes occupy a serial line: each character is a start bit, its data bits, a parity
// bit when there is parity, and its stop bits. Rounded up, so that a line is never taken for
// free before it is.
std::chrono::microseconds lineTime(const LineSettings& settings, std::size_t bytes);

// When a port's line will be free again. A write queues at once but leaves at the line's
// speed, behind whatever was queued before it; a sender on a timer asks here rather than pile
// up a backlog that the radio hears later and later.
class LineClock {
public:
    using Clock = std::chrono::steady_clock;

    // systemQueued: bytes the system still holds in its output queue, where it can say.
    void wrote(std::size_t bytes, const LineSettings& settings, Clock::time_point now,
               std::size_t systemQueued = 0);
    bool isBusy(Clock::time_point now, std::size_t systemQueued = 0) const;
    // When what was written has left, as far as the writes tell.
    Clock::time_point freeAt() const { return freeAt_; }
    // A newly opened line carries nothing yet.
    void reset() { freeAt_ = {}; }

private:
    Clock::time_point freeAt_{};
};
