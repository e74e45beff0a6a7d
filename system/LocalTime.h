// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <ctime>

// The local time of day and date at time, safe to call from any thread.
std::tm localTime(std::time_t time);
