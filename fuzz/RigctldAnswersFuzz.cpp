// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/RigctldAnswers.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The same bytes give the same answers however they are cut.
    RigctldAnswers whole;
    RigctldAnswers cut;
    const auto all = whole.receive(bytes);
    auto parts = cut.receive(bytes.substr(0, size / 3));
    for (auto& answer : cut.receive(bytes.substr(size / 3))) {
        parts.push_back(std::move(answer));
    }
    if (all.size() != parts.size() || whole.fault() != cut.fault()) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].code != parts[i].code || all[i].radioReply != parts[i].radioReply ||
            all[i].lines != parts[i].lines ||
            all[i].radioReply.size() > RigctldAnswers::lineLimit) {
            __builtin_trap();
        }
        static_cast<void>(rigctldRadioName(all[i]));
        static_cast<void>(rigctldErrorWords(all[i].code));
    }
    return 0;
}
