// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>

// An exclusive lock on a file or folder, taken without waiting, which the system drops when the
// process that holds it ends, however it ends. A lock file whose lock nobody holds was therefore
// left by a process that is gone.
class ExclusiveLock {
public:
    enum class State { taken, heldElsewhere, failed };

    // A symbolic link at path is not followed.
    explicit ExclusiveLock(const std::string& path);
    ~ExclusiveLock();
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

    State state() const { return state_; }
    // The system's error number when the lock could not be taken.
    int error() const { return error_; }
    // Removes the locked file, unless another file has taken its name since: 0, or the system's
    // error number.
    int removeLockedFile();

private:
    std::string path_;
    int descriptor_ = -1;
    State state_ = State::failed;
    int error_ = 0;
};
