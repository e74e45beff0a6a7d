// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/DeviceClaim.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

DeviceClaim::~DeviceClaim() {
    release();
}

DeviceClaim::State DeviceClaim::take(const std::string& device) {
    release();
    // Not the controlling terminal, and no wait for a modem's carrier.
    descriptor_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor_ < 0) {
        return State::unclaimed;
    }
#ifdef TIOCGEXCL
    // Exclusive mode refuses other users' opens, so an open that succeeds despite it is an
    // administrator's: the program that set it is there.
    int exclusive = 0;
    if (::ioctl(descriptor_, TIOCGEXCL, &exclusive) == 0 && exclusive != 0) {
        ::close(std::exchange(descriptor_, -1));
        return State::exclusiveElsewhere;
    }
#endif
    // A device that takes no locks at all is claimed by exclusive mode alone.
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(std::exchange(descriptor_, -1));
        return State::lockedElsewhere;
    }
    return State::claimed;
}

void DeviceClaim::excludeOthers() {
    if (descriptor_ >= 0) {
        ::ioctl(descriptor_, TIOCEXCL);
    }
}

void DeviceClaim::release() {
    if (descriptor_ < 0) {
        return;
    }
    ::ioctl(descriptor_, TIOCNXCL);
    ::close(std::exchange(descriptor_, -1));
}
