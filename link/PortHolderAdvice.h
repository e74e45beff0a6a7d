// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>

// What the user can do about the program that holds Com number's device, by its name:
// ". Close it, ..."; the programs that take serial ports unasked have advice of their own.
std::string holderAdvice(const std::string& program, int number);
