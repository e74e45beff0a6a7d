// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/ParityMarks.h"

namespace {
constexpr char markStart = '\xFF';
constexpr char errorFlag = '\0';
} // namespace

std::string ParityMarks::decode(std::string_view bytes) {
    std::string input = pending_;
    input.append(bytes);
    pending_.clear();

    std::string text;
    text.reserve(input.size());
    std::size_t i = 0;
    while (i < input.size()) {
        if (input[i] != markStart) {
            text += input[i++];
            continue;
        }
        const std::size_t left = input.size() - i;
        if (left == 1 || (left == 2 && input[i + 1] == errorFlag)) {
            pending_ = input.substr(i);
            break;
        }
        if (input[i + 1] == markStart) {
            text += markStart;
            i += 2;
        } else if (input[i + 1] == errorFlag) {
            text += replacement;
            i += 3;
        } else {
            // Not a mark the terminal makes: keep the byte as it came.
            text += input[i++];
        }
    }
    return text;
}
