// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "tests/soak/SerialRig.h"

#include <chrono>
#include <cstddef>

// The two long runs of the serial link, shared by the soak test and its benchmark, which only
// differ in size. Each returns what it saw and leaves the judging to its caller.

struct StallFigures {
    int updatesPressed = 0;
    std::size_t refusedWrites = 0;
    long long largestQueue = 0;
    // Notices of refused writes over the whole run.
    int refusalReports = 0;
    // The resend alone, with the radio stopped and nobody pressing anything.
    std::size_t refusedByResend = 0;
    int reportsDuringResend = 0;
    // Once the radio reads again and has caught up.
    bool caughtUp = false;
    std::size_t bytesAccepted = 0;
    std::size_t bytesHeard = 0;
    bool resumed = false;
    std::size_t commandsHeard = 0;
    std::size_t malformedCommands = 0;
    // UR directly followed by its UT.
    std::size_t sendsCompleted = 0;
    long residentAfterWarmUpKiB = 0;
    long residentAtEndKiB = 0;
};

struct HangUpFigures {
    int cycles = 0;
    int lossesSeen = 0;
    int reopened = 0;
    int updatesHeard = 0;
    int lossReports = 0;
    int descriptorsAtStart = 0;
    int descriptorsAtEnd = 0;
    double idleSeconds = 0;
    double idleCpuSeconds = 0;
};

// Half the Updates to a radio that reads at about 19200 baud, half to one that has stopped
// reading; then the resend alone for resendWatch; then the radio reads again.
StallFigures stallAndResume(SerialRig& rig, int updates,
                            std::chrono::milliseconds resendWatch = std::chrono::seconds(3));

// The radio hangs up, stays away for idleWatch, comes back on a new device, and the user
// presses Connect and then Update; cycles times.
HangUpFigures
hangUpsAndReconnects(SerialRig& rig, int cycles,
                     std::chrono::milliseconds idleWatch = std::chrono::milliseconds(100));
