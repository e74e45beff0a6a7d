// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/ExclusiveLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

ExclusiveLock::ExclusiveLock(const std::string& path) : path_(path) {
    constexpr int how = O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW;
    // A network file system locks only what is open for writing; a folder or a file the user may
    // not write is locked through a descriptor for reading.
    descriptor_ = ::open(path.c_str(), O_RDWR | how);
    if (descriptor_ < 0 && (errno == EISDIR || errno == EACCES || errno == EROFS)) {
        descriptor_ = ::open(path.c_str(), O_RDONLY | how);
    }
    if (descriptor_ < 0) {
        error_ = errno;
        return;
    }
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::taken;
    } else if (errno == EWOULDBLOCK) {
        state_ = State::heldElsewhere;
    } else {
        error_ = errno;
    }
}

ExclusiveLock::~ExclusiveLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

int ExclusiveLock::removeLockedFile() {
    struct stat locked {};
    struct stat named {};
    if (state_ != State::taken || ::fstat(descriptor_, &locked) != 0) {
        return EBADF;
    }
    if (::lstat(path_.c_str(), &named) != 0) {
        return errno == ENOENT ? 0 : errno;
    }
    if (named.st_dev != locked.st_dev || named.st_ino != locked.st_ino) {
        return 0;
    }
    return ::unlink(path_.c_str()) == 0 ? 0 : errno;
}
