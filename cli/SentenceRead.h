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

// The sentence exactly as the window would send it after Open or a sample choice, held to
// the same guard; standard input is read as a file is.
SentenceRead readSentence(const SentenceSource& source);
} // namespace command_line
