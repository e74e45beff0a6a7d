// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/ParityMarks.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {
// Decodes a whole stream at once, the plain way, to hold the incremental decoder against.
std::string reference(std::string_view in) {
    std::string out;
    for (std::size_t i = 0; i < in.size();) {
        const bool mark = in[i] == '\xFF' && i + 1 < in.size();
        if (mark && in[i + 1] == '\xFF') {
            out += '\xFF';
            i += 2;
        } else if (mark && in[i + 1] == '\0' && i + 2 < in.size()) {
            out += ParityMarks::replacement;
            i += 3;
        } else if (in[i] == '\xFF' && in.size() - i <= 2 &&
                   (i + 1 == in.size() || in[i + 1] == '\0')) {
            break; // an unfinished mark waits for more input
        } else {
            out += in[i++];
        }
    }
    return out;
}
} // namespace

// The first byte sets the read sizes, as the terminal may hand over a stream in any pieces.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t piece = 1 + data[0] % 7;
    const std::string_view stream(reinterpret_cast<const char*>(data) + 1, size - 1);
    ParityMarks marks;
    std::string decoded;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        decoded += marks.decode(stream.substr(at, piece));
    }
    if (decoded != reference(stream) || decoded.size() > stream.size()) {
        __builtin_trap();
    }
    return 0;
}
