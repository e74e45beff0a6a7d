// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "system/ExclusiveLock.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

// The lock that gives this process its turn to write the settings file, waited for no longer than
// it is given. Runs of the program take turns by a lock on the settings folder, so that no two
// write at once. Qt's own
// lock file beside the settings file must then be free, or be one left by a process that has
// ended, which is removed: Qt would wait for it without end.
class SettingsWriteLock {
public:
    // whileWaiting is called between tries, so that the program can end during a wait.
    SettingsWriteLock(const std::string& file, std::chrono::milliseconds longest,
                      const std::function<void()>& whileWaiting);

    bool taken() const { return refusal_.empty(); }
    // Why the turn was not had, for the user.
    const std::string& refusal() const { return refusal_; }

private:
    std::unique_ptr<ExclusiveLock> folderLock_;
    std::string refusal_;
};
