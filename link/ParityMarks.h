// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>
#include <string_view>

// Turns the terminal's parity marking back into plain received text. With marking on, a
// character that arrived with a parity or framing error (or a break) reads as 0xFF 0x00 x and
// a genuine 0xFF reads as 0xFF 0xFF; the first becomes the replacement character, the second a
// single 0xFF. A mark cut off at the end of one read is kept and finished by the next.
class ParityMarks {
public:
    static constexpr char replacement = '?';

    std::string decode(std::string_view bytes);
    // Forgets a mark left unfinished, as when the port is opened afresh.
    void reset() { pending_.clear(); }

private:
    std::string pending_;
};
