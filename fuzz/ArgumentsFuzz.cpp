// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "cli/Arguments.h"
#include "sentence/Samples.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// The bytes are the arguments, separated by NUL as the system hands them over.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments(1);
    for (std::size_t at = 0; at < size; ++at) {
        if (data[at] == 0) {
            arguments.emplace_back();
        } else {
            arguments.back() += static_cast<char>(data[at]);
        }
    }
    const command_line::ParsedArguments parsed = command_line::parseArguments(arguments);
    // Exactly one of a request or the reason for refusing the arguments.
    if (parsed.request.has_value() == !parsed.usageError.empty()) {
        __builtin_trap();
    }
    if (!parsed.request) {
        return 0;
    }
    const command_line::Request& request = *parsed.request;
    const bool knownSample =
        std::any_of(samples::table.begin(), samples::table.end(),
                    [&](const auto& s) { return s.name == request.source.name; });
    if ((request.source.kind == command_line::SentenceSource::Kind::sample && !knownSample) ||
        request.autoSeconds < 0 || (request.port && *request.port < 0) ||
        (request.rate && *request.rate < 0)) {
        __builtin_trap();
    }
    return 0;
}
