// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>

// How often part stands in text, overlapping runs counted.
inline int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Lines as the notice box shows them: none when empty, else one more than the line feeds.
inline int lineCount(const std::string& text) {
    return text.empty() ? 0 : occurrences(text, "\n") + 1;
}
