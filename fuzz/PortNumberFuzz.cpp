// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "settings/StoredPortNumber.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const StoredPortNumber parsed = parseStoredPortNumber(text);
    // Exactly one of a number or a reason, and the reason quotes what was stored.
    if (parsed.number.has_value() == !parsed.failure.empty()) {
        __builtin_trap();
    }
    if (!parsed.number && parsed.failure.find(text) == std::string::npos) {
        __builtin_trap();
    }
    return 0;
}
