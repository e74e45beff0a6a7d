// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <cstddef>

// An open serial device as the system hands it out.
#ifdef _WIN32
using SerialHandle = void*;
#else
using SerialHandle = int;
#endif

// How many of the bytes written to the device the system still holds, not yet on the line;
// 0 when it cannot tell.
std::size_t outputQueued(SerialHandle device);
