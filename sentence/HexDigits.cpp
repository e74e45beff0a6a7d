// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "sentence/HexDigits.h"

void HexDigits::split(const std::string& text) {
    for (std::size_t position = 0; position < cells_.size(); ++position) {
        cells_[position] = position < text.size() ? text.substr(position, 1) : std::string{};
    }
}

std::string HexDigits::join() const {
    std::string sentence;
    for (const auto& cell : cells_) {
        sentence += cell;
    }
    return sentence;
}
