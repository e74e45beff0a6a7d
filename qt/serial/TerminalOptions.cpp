// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/serial/TerminalOptions.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <termios.h>

bool markParityErrors(int fd, bool on) {
    termios options{};
    if (tcgetattr(fd, &options) != 0) {
        return false;
    }
    if (on) {
        // IGNPAR would drop the character instead; ISTRIP would hide the marks' 0xFF.
        options.c_iflag |= INPCK | PARMRK;
        options.c_iflag &= ~static_cast<tcflag_t>(IGNPAR | ISTRIP);
    } else {
        options.c_iflag &= ~static_cast<tcflag_t>(PARMRK);
    }
    return tcsetattr(fd, TCSANOW, &options) == 0 && on;
}
#endif
