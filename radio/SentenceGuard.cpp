// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "radio/SentenceGuard.h"

#include <cstdio>

std::optional<std::string> unsafeSentenceProblem(const std::string& sentence) {
    if (sentence.empty()) {
        return "Nothing was sent: the sentence is empty, and \"UR;\" alone would ask the radio "
               "for its equaliser instead of loading one. Choose a sample or Open a file, then "
               "press Update.";
    }
    for (std::size_t position = 0; position < sentence.size(); ++position) {
        const auto byte = static_cast<unsigned char>(sentence[position]);
        const std::string where = " at position " + std::to_string(position);
        if (byte == ';') {
            return "The sentence was not sent: it holds \";\"" + where +
                   ", which would end the command early. Correct the sentence and press Update.";
        }
        if (byte < 0x20 || byte > 0x7E) {
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", byte);
            return std::string("The sentence was not sent: it holds the character ") + code +
                   where +
                   ", which is not a printable character. Correct the sentence and "
                   "press Update.";
        }
    }
    return std::nullopt;
}
