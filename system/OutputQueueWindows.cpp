// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/OutputQueue.h"

#include <windows.h>

// Asking also clears the port's line error flags, which nothing here reads: the program marks
// no parity errors on Windows.
std::size_t outputQueued(SerialHandle device) {
    COMSTAT status{};
    DWORD errors = 0;
    if (ClearCommError(static_cast<HANDLE>(device), &errors, &status)) {
        return status.cbOutQue;
    }
    return 0;
}
