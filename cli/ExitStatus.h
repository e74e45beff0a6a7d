// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>

namespace command_line {
// What the program's exit status tells a script; --help and the manual page list them.
enum class ExitStatus : int {
    success = 0,
    failure = 1, // anything not listed below, such as the device lost while sending
    usage = 2,
    portNotOpened = 3,
    radioRefused = 4,
    sentenceUnusable = 5, // nothing was sent
};

// How a run ended: the line for standard output on success, else the words for standard error.
struct Outcome {
    ExitStatus status = ExitStatus::success;
    std::string words;
};
} // namespace command_line
