// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "radio/LineSettings.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ParsedLineSettings parsed = parseLineSettings(text);
    if (parsed.settings.has_value() == !parsed.failure.empty()) {
        __builtin_trap();
    }
    // What the port reports must always be taken again, unchanged.
    if (parsed.settings) {
        const ParsedLineSettings again = parseLineSettings(parsed.settings->text());
        if (!again.settings || !(*again.settings == *parsed.settings)) {
            __builtin_trap();
        }
    }
    return 0;
}
