// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "radio/LineTime.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {
LineSettings settings(const char* text) {
    return *parseLineSettings(text).settings;
}
} // namespace

TEST(LineTime, EachCharacterCostsAStartBitItsDataParityAndStopBits) {
    const struct {
        const char* settings;
        std::size_t bytes;
        std::chrono::microseconds expected;
    } cases[] = {
        // One Update: 262 bytes of ten bits.
        {"4800,N,8,1", 262, 545'834us},
        {"9600,N,8,1", 262, 272'917us},
        {"57600,N,8,1", 262, 45'487us},
        // A parity bit and a second stop bit each lengthen the character.
        {"9600,E,8,1", 1, 1'146us},
        {"9600,N,8,2", 1, 1'146us},
        {"4800,O,7,2", 100, 229'167us},
        {"110,M,5,1", 11, 800'000us},
        {"4800,N,8,1", 0, 0us},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lineTime(settings(c.settings), c.bytes), c.expected)
            << c.settings << ", " << c.bytes << " bytes";
    }
}

TEST(LineTime, AWriteWaitsBehindWhatIsStillQueuedAndTheSystemsQueueCounts) {
    const LineSettings slow = settings("4800,N,8,1");
    const LineClock::Clock::time_point start{10s};
    LineClock line;
    EXPECT_FALSE(line.isBusy(start));

    line.wrote(131, slow, start);
    line.wrote(131, slow, start);
    EXPECT_TRUE(line.isBusy(start + 545ms)) << "the second command leaves after the first";
    EXPECT_FALSE(line.isBusy(start + 546ms));

    // Written while idle, a command starts from the moment it is written.
    line.wrote(131, slow, start + 2s);
    EXPECT_FALSE(line.isBusy(start + 2s + 273ms));

    // Bytes the system still holds keep the line busy, and a write waits behind them.
    EXPECT_TRUE(line.isBusy(start + 3s, 1));
    line.wrote(131, slow, start + 3s, 240);
    EXPECT_TRUE(line.isBusy(start + 3s + 772ms));
    EXPECT_FALSE(line.isBusy(start + 3s + 773ms));

    line.wrote(131, slow, start + 4s);
    line.reset();
    EXPECT_FALSE(line.isBusy(start + 4s));
}
