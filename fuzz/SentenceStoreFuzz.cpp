// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "sentence/HexDigits.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    HexDigits store;
    store.setCell(static_cast<int>(size % HexDigits::cellCount), text);
    store.split(text);
    for (int p = 0; p < HexDigits::cellCount; ++p) {
        if (store.cell(p).size() > 1) {
            __builtin_trap();
        }
    }
    const std::string joined = store.join();
    const std::size_t kept = text.size() < 128 ? text.size() : 128;
    if (joined != text.substr(0, kept)) {
        __builtin_trap();
    }
    return 0;
}
