// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/OutputQueue.h"

#include <sys/ioctl.h>
#include <termios.h>

std::size_t outputQueued(SerialHandle device) {
    int queued = 0;
    if (::ioctl(device, TIOCOUTQ, &queued) == 0 && queued > 0) {
        return static_cast<std::size_t>(queued);
    }
    return 0;
}
