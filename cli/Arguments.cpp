// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "cli/Arguments.h"

#include "cli/HelpTexts.h"
#include "sentence/Samples.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <map>
#include <string_view>

namespace command_line {
namespace {
struct Option {
    std::string_view name;
    bool takesValue;
};

constexpr std::array<Option, 11> options{{
    {"send", true},
    {"sample", true},
    {"port", true},
    {"device", true},
    {"rtscts", false},
    {"rigctld", true},
    {"rate", true},
    {"auto", true},
    {"list-ports", false},
    {"help", false},
    {"version", false},
}};

// A week of resending is more than any station script means; the bound keeps the count of
// ticks far from overflowing.
constexpr int longestAuto = 7 * 24 * 60 * 60;

std::string inQuotes(std::string_view text) {
    return "'" + std::string(text) + "'";
}

ParsedArguments refused(std::string why) {
    return {std::nullopt, std::move(why)};
}

std::optional<int> wholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])) ||
        error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

bool sameLetters(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// The options given, each with its value; one entry each.
using Given = std::map<std::string_view, std::string>;

// --port, --device or --rigctld: the way to the radio, read as the ports folder's lines are read;
// an empty message when the request names none.
std::string chooseWay(const Given& given, Request& request) {
    const auto has = [&](std::string_view name) { return given.count(name) != 0; };
    if (int(has("port")) + int(has("device")) + int(has("rigctld")) > 1) {
        return "give only one of --port, --device or --rigctld";
    }
    if (has("rtscts") && !has("device")) {
        return "--rtscts goes with --device";
    }
    if (has("rigctld") && has("rate")) {
        return "--rate does not apply through rigctld, which sets the radio's line itself (its -s "
               "option)";
    }
    if (has("port")) {
        const auto number = wholeNumber(given.at("port"));
        if (!number || *number > INT16_MAX) {
            return "--port takes the number of a port, such as 3 for Com 3, not " +
                   inQuotes(given.at("port"));
        }
        request.port = static_cast<std::int16_t>(*number);
    } else if (has("device")) {
        const std::string& device = given.at("device");
        request.way = parsePortsLine(device + (has("rtscts") ? " rtscts" : ""), "--device");
        // One word, or the rest would be read as the words that may follow the device.
        if (device.empty() || device.find_first_of(" \t\r") != std::string::npos ||
            !std::holds_alternative<SerialDeviceEntry>(*request.way)) {
            return std::string(systemDeviceNames == DeviceNames::comPorts
                                   ? "--device takes a COM port, such as COM12, not "
                                   : "--device takes the path of a serial device, such as "
                                     "/dev/ttyUSB0, or its name under /dev/serial/by-id, not ") +
                   inQuotes(device);
        }
    } else if (has("rigctld")) {
        const std::string& address = given.at("rigctld");
        request.way = parsePortsLine("rigctld " + address, "--rigctld");
        if (!std::holds_alternative<RigctldEntry>(*request.way)) {
            return "--rigctld takes HOST:PORT, such as localhost:4532 ([::1]:4532 for an IPv6 "
                   "address), not " +
                   inQuotes(address);
        }
    }
    return {};
}

ParsedArguments requestFrom(const Given& given) {
    Request request;
    const auto has = [&](std::string_view name) { return given.count(name) != 0; };
    if (has("help") || has("version")) {
        request.action = has("help") ? Request::Action::help : Request::Action::version;
        return {request, {}};
    }
    const int actions = int(has("send")) + int(has("sample")) + int(has("list-ports"));
    if (actions != 1) {
        return refused("give one of --send, --sample or --list-ports");
    }
    if (has("list-ports")) {
        if (given.size() > 1) {
            return refused("--list-ports takes no other option");
        }
        request.action = Request::Action::listPorts;
        return {request, {}};
    }
    if (has("send")) {
        const std::string& file = given.at("send");
        request.source = {
            file == "-" ? SentenceSource::Kind::standardInput : SentenceSource::Kind::file, file};
    } else {
        const std::string& name = given.at("sample");
        const auto sample =
            std::find_if(samples::table.begin(), samples::table.end(),
                         [&](const samples::Sample& s) { return sameLetters(s.name, name); });
        if (sample == samples::table.end()) {
            return refused("there is no sample " + inQuotes(name) + "; the samples are " +
                           sampleNames());
        }
        request.source = {SentenceSource::Kind::sample, std::string(sample->name)};
    }
    if (std::string why = chooseWay(given, request); !why.empty()) {
        return refused(std::move(why));
    }
    if (has("rate")) {
        request.rate = wholeNumber(given.at("rate"));
        if (!request.rate) {
            return refused("--rate takes bits per second, such as 9600, not " +
                           inQuotes(given.at("rate")));
        }
    }
    if (has("auto")) {
        const auto seconds = wholeNumber(given.at("auto"));
        if (!seconds || *seconds < 1 || *seconds > longestAuto) {
            return refused("--auto takes a whole number of seconds from 1 to " +
                           std::to_string(longestAuto) + ", not " + inQuotes(given.at("auto")));
        }
        request.autoSeconds = *seconds;
    }
    return {request, {}};
}
} // namespace

ParsedArguments parseArguments(const std::vector<std::string>& arguments) {
    Given given;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (!argument.starts_with("-") || argument == "-" || argument == "--") {
            return refused("unexpected argument " + inQuotes(argument));
        }
        const std::size_t equals = argument.find('=');
        const auto option = std::find_if(options.begin(), options.end(), [&](const Option& o) {
            return argument.starts_with("--") && argument.substr(2, equals - 2) == o.name;
        });
        if (option == options.end()) {
            return refused("unrecognised option " + inQuotes(argument.substr(0, equals)));
        }
        const std::string name(option->name);
        std::string value;
        if (equals != std::string::npos) {
            if (!option->takesValue) {
                return refused("option '--" + name + "' takes no value");
            }
            value = argument.substr(equals + 1);
        } else if (option->takesValue) {
            if (at + 1 == arguments.size()) {
                return refused("option '--" + name + "' needs a value");
            }
            value = arguments[++at];
        }
        if (!given.emplace(option->name, value).second) {
            return refused("option '--" + name + "' is given twice");
        }
    }
    return requestFrom(given);
}

bool argumentsAreForWindow(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return true;
    }
    const std::string& first = arguments.front();
    return first.size() > 2 && first[0] == '-' &&
           std::isalpha(static_cast<unsigned char>(first[1])) != 0;
}
} // namespace command_line
