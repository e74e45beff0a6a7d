// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "sentence/SentenceCheck.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
using Cells = std::vector<std::string>;

// Most faults come from one edit; naming a few lines finds it without a long report.
constexpr int linesNamed = 3;

std::string lineName(int position) {
    return "line " + lineLabel(position / HexDigits::lineLength + 1);
}

std::string place(int position) {
    return lineName(position) + ", digit " + std::to_string(position % HexDigits::lineLength + 1);
}

std::string count(std::size_t number, const std::string& noun) {
    return std::to_string(number) + " " + noun + (number == 1 ? "" : "s");
}

// "the sentence has 127 characters, not 128"
std::string lengthWords(const std::string& has, std::size_t total) {
    return "the sentence " + has + " " + count(total, "character") + ", not " +
           std::to_string(HexDigits::cellCount);
}

// The radio's own sentences use capitals, and it is not known to take small letters.
bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// A character the notice box can show as it is, or its code.
std::string shown(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte <= 0x7E) {
        return std::string("'") + c + "'";
    }
    char code[24];
    std::snprintf(code, sizeof code, "the character 0x%02X", byte);
    return code;
}

Cells storeCells(const HexDigits& store) {
    Cells cells;
    for (int position = 0; position < HexDigits::cellCount; ++position) {
        cells.push_back(store.cell(position));
    }
    return cells;
}

Cells cellsOf(const std::string& sentence, const HexDigits& store) {
    if (store.join() == sentence) {
        return storeCells(store);
    }
    Cells cells;
    for (const char c : sentence) {
        cells.emplace_back(1, c);
    }
    return cells;
}

std::size_t characters(const Cells& cells) {
    std::size_t total = 0;
    for (const auto& cell : cells) {
        total += cell.size();
    }
    return total;
}

std::optional<std::string> lengthFault(const Cells& cells) {
    const std::size_t total = characters(cells);
    if (total == HexDigits::cellCount) {
        return std::nullopt;
    }
    if (total == 0) {
        return "the sentence is empty";
    }
    std::string said = lengthWords("has", total);
    int named = 0;
    int unnamed = 0;
    for (std::size_t first = 0; first < cells.size(); first += HexDigits::lineLength) {
        const Cells line(cells.begin() + first,
                         cells.begin() + std::min(cells.size(), first + HexDigits::lineLength));
        const std::size_t holds = characters(line);
        if (holds == HexDigits::lineLength) {
            continue;
        }
        if (named == linesNamed) {
            ++unnamed;
            continue;
        }
        said += (named++ == 0 ? "; " : ", ") + lineName(static_cast<int>(first)) + " holds " +
                std::to_string(holds);
    }
    if (unnamed > 0) {
        said += " and " + count(unnamed, "more line") + (unnamed == 1 ? " does" : " do") +
                " not hold 8";
    }
    return said;
}

std::optional<std::string> foreignCharacters(const Cells& cells, int first, int end) {
    std::optional<std::string> said;
    int others = 0;
    for (int position = first; position < end; ++position) {
        for (const char c : cells[position]) {
            if (isHexDigit(c)) {
                continue;
            }
            if (said) {
                ++others;
            } else {
                said = shown(c) + " at " + place(position) +
                       " is not an uppercase hexadecimal digit (0 to 9, A to F)";
            }
        }
    }
    if (others > 0) {
        *said +=
            ", nor " + std::string(others == 1 ? "is " : "are ") + count(others, "more character");
    }
    return said;
}

std::optional<std::string> joined(const std::vector<std::optional<std::string>>& parts) {
    std::optional<std::string> all;
    for (const auto& part : parts) {
        if (part) {
            all = all ? *all + "; " + *part : *part;
        }
    }
    return all;
}
} // namespace

std::string lineLabel(int line) {
    return (line < 10 ? "0" : "") + std::to_string(line);
}

std::optional<std::string> sentenceFault(const std::string& sentence, const HexDigits& store) {
    const Cells cells = cellsOf(sentence, store);
    return joined(
        {lengthFault(cells), foreignCharacters(cells, 0, static_cast<int>(cells.size()))});
}

std::optional<std::string> lineFault(const HexDigits& store, int first) {
    const Cells cells = storeCells(store);
    const int end = first + HexDigits::lineLength;
    std::vector<std::optional<std::string>> parts;
    for (int position = first; position < end; ++position) {
        if (cells[position].empty()) {
            parts.push_back(place(position) + " is empty");
        } else if (cells[position].size() > 1) {
            parts.push_back(place(position) + " holds " +
                            count(cells[position].size(), "character"));
        }
    }
    parts.push_back(foreignCharacters(cells, first, end));
    if (!joined(parts)) {
        return std::nullopt;
    }
    if (const std::size_t total = characters(cells); total != HexDigits::cellCount) {
        parts.push_back(lengthWords("now has", total));
    }
    return joined(parts);
}
