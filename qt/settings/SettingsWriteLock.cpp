// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/settings/SettingsWriteLock.h"

#include "qt/Latin1Text.h"
#include "system/SystemFile.h"

#include <QFile>
#include <QLockFile>
#include <QSysInfo>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;

// Who holds a lock file, as Qt wrote it into the file: "process 4711 (Sonavel)"; empty when the
// file does not say.
std::string holderOf(const std::string& lockFile) {
    struct stat status {};
    // Reading a pipe would wait for a writer.
    if (::lstat(lockFile.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return {};
    }
    const QLockFile lock(QFile::decodeName(lockFile.c_str()));
    qint64 process = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&process, &host, &application) || process <= 0) {
        return {};
    }
    std::string who = "process " + std::to_string(process);
    if (!application.isEmpty()) {
        who += " (" + fromQString(application) + ")";
    }
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        who += " on " + fromQString(host);
    }
    return who;
}

std::string withReason(const std::string& what, int error) {
    return what + " (" + systemReason(error) + ")";
}

struct LockFileState {
    enum Kind { free, held, blocked } kind;
    std::string detail; // the holder when held, the reason when blocked
};

// Qt's lock file as Qt would find it, after removing one whose maker has ended.
LockFileState cleared(const std::string& lockFile) {
    struct stat status {};
    // Where the lock file cannot even be looked at, Qt fails at once to make it, and the write's
    // failure is told with its reason.
    if (::lstat(lockFile.c_str(), &status) != 0) {
        return {LockFileState::free, {}};
    }
    if (!S_ISREG(status.st_mode)) {
        return {LockFileState::blocked,
                lockFile + (S_ISDIR(status.st_mode) ? " is a folder" : " is not a file") +
                    ", where the lock file of the settings should be: remove it"};
    }
    ExclusiveLock lock(lockFile);
    if (lock.state() == ExclusiveLock::State::heldElsewhere) {
        return {LockFileState::held, holderOf(lockFile)};
    }
    if (lock.state() == ExclusiveLock::State::failed) {
        return lock.error() == ENOENT
                   ? LockFileState{LockFileState::free, {}}
                   : LockFileState{LockFileState::blocked,
                                   withReason(lockFile + " cannot be opened", lock.error())};
    }
    if (const int error = lock.removeLockedFile(); error != 0) {
        const std::string holder = holderOf(lockFile);
        return {
            LockFileState::blocked,
            withReason(lockFile + ", left by " +
                           (holder.empty() ? "a run that ended" : holder + ", which has ended") +
                           ", cannot be removed",
                       error) +
                "; remove it, or make the folder writable"};
    }
    return {LockFileState::free, {}};
}

std::string overLimit(std::chrono::milliseconds longest) {
    return "over " + std::to_string(longest.count()) + " ms; the next choice tries again";
}
} // namespace

SettingsWriteLock::SettingsWriteLock(const std::string& file, std::chrono::milliseconds longest,
                                     const std::function<void()>& whileWaiting) {
    const std::string folder = std::filesystem::path(file).parent_path().string();
    const std::string lockFile = file + ".lock";
    const Clock::time_point deadline = Clock::now() + longest;
    for (;;) {
        if (!folderLock_) {
            auto lock = std::make_unique<ExclusiveLock>(folder);
            // A folder that cannot be locked at all is written without taking turns, as before.
            if (lock->state() != ExclusiveLock::State::heldElsewhere) {
                folderLock_ = std::move(lock);
            }
        }
        std::string busy;
        if (folderLock_) {
            const LockFileState state = cleared(lockFile);
            if (state.kind == LockFileState::free) {
                return;
            }
            if (state.kind == LockFileState::blocked) {
                refusal_ = state.detail;
                return;
            }
            busy = (state.detail.empty() ? "another process" : state.detail) + " holds " +
                   lockFile + " and kept it for ";
        } else {
            const std::string holder = holderOf(lockFile);
            busy = "another run of the program" + (holder.empty() ? "" : ", " + holder + ",") +
                   " is writing the settings and took ";
        }
        if (Clock::now() >= deadline) {
            refusal_ = busy + overLimit(longest);
            return;
        }
        if (whileWaiting) {
            whileWaiting();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}
