// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>

// This process's claim on a serial device while its port has it, so that programs that look
// for the usual claims keep away: a lock on the device (flock), and the terminal's exclusive
// mode, which refuses any further open to a user without administrator rights. Taking it also
// shows whether another program has claimed the device in either way, which it may have done
// without this user being able to see which program it is.
class DeviceClaim {
public:
    enum class State {
        unclaimed, // not taken, or the device could not be opened (the port's own open says why)
        claimed,
        lockedElsewhere,    // another program holds the lock
        exclusiveElsewhere, // another program keeps the terminal for itself
    };

    DeviceClaim() = default;
    ~DeviceClaim();
    DeviceClaim(const DeviceClaim&) = delete;
    DeviceClaim& operator=(const DeviceClaim&) = delete;

    // Opens the device, without waiting and without writing to it, and takes its lock; lets go
    // again when another program has claimed it. Called before the port opens the device.
    State take(const std::string& device);
    // Puts the terminal into exclusive mode once the port has opened it, since no further open
    // would then succeed.
    void excludeOthers();
    // Ends exclusive mode and gives the lock back, after the port has closed the device.
    void release();

private:
    int descriptor_ = -1;
};
