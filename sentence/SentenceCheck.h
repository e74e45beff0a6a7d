// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "sentence/HexDigits.h"

#include <optional>
#include <string>

// The radio takes a sentence of 128 hexadecimal digits. These checks say what is wrong with one
// that is not, and where the user finds it, by line and digit as the line editor shows them
// ("line 05, digit 3"). They only tell: what is sent and saved stays as it is.

// What the radio takes, in the words every report of a fault uses.
inline constexpr const char* sentenceTaken = "128 hexadecimal digits, 0 to 9 and A to F";

// "05" for line 5, as the line selector lists it.
std::string lineLabel(int line);

// What is wrong with the sentence, or nothing. Where the store's cells join to the sentence, a
// place is a cell, so that a cell holding two characters is one digit; otherwise it is one of the
// sentence's characters, eight to a line, as the sentence box shows them.
std::optional<std::string> sentenceFault(const std::string& sentence, const HexDigits& store);

// What is wrong with the eight cells of the line that starts at store position first, each of
// which should hold one hexadecimal digit, and with the sentence's length that follows from them.
std::optional<std::string> lineFault(const HexDigits& store, int first);
