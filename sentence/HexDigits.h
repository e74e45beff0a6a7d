// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <array>
#include <string>

// The digit store: one text cell per sentence position. A cell normally holds one character,
// but keeps whatever text it is given, so that line edits travel unchanged.
class HexDigits {
public:
    static constexpr int cellCount = 128;
    static constexpr int lineLength = 8;

    const std::string& cell(int position) const { return cells_.at(position); }
    void setCell(int position, std::string text) { cells_.at(position) = std::move(text); }

    // Rewrites every cell from the text: cell p gets its character p, or empty text.
    void split(const std::string& text);
    // The cells concatenated in position order.
    std::string join() const;

private:
    std::array<std::string, cellCount> cells_;
};
