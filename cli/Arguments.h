// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "link/PortsEntry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace command_line {
struct SentenceSource {
    enum class Kind { file, standardInput, sample };
    Kind kind = Kind::file;
    // The file's path, or the sample's name as the sample selector lists it.
    std::string name;
};

struct Request {
    enum class Action { send, listPorts, help, version };
    Action action = Action::send;
    SentenceSource source;
    std::optional<std::int16_t> port;
    // A device or a rigctld named instead of a port number (--device, --rigctld), as a line of
    // the ports folder names it.
    std::optional<PortsEntry> way;
    std::optional<int> rate;
    // 0 sends once.
    int autoSeconds = 0;
};

struct ParsedArguments {
    std::optional<Request> request;
    // Why the arguments make no request, when they do not.
    std::string usageError;
};

// The arguments after the program's name, in GNU's long form: "--port 3" or "--port=3".
ParsedArguments parseArguments(const std::vector<std::string>& arguments);

// Whether the arguments belong to the window: none at all, or Qt's own window options, which
// are single-dash words such as "-style".
bool argumentsAreForWindow(const std::vector<std::string>& arguments);
} // namespace command_line
