// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

// Asks the (Unix) terminal on descriptor fd to mark characters received with a parity error (on) or
// to stop marking them; true when marking is now on.
bool markParityErrors(int fd, bool on);
