// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "cli/Arguments.h"
#include "cli/ExitStatus.h"

#include <optional>
#include <string>

namespace command_line {
struct SentenceRead {
    // What goes to the radio; nothing when it cannot be had or must not be sent.
    std::optional<std::string> sentence;
    Outcome problem;
};

// The sentence exactly as the window would send it after Open or a sample choice, refused unless
// it is 128 hexadecimal digits, 0 to 9 and A to F; standard input is read as a file is.
SentenceRead readSentence(const SentenceSource& source);
} // namespace command_line
