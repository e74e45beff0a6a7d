// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/RigctldLine.h"

#include <array>
#include <cctype>
#include <map>
#include <string_view>
#include <utility>

namespace {
// rigctld's options that take a value, short and long, as its --help lists them.
constexpr std::string_view valuedLetters = "mrpdPDsctSTCMnAWx";
constexpr std::array<std::pair<std::string_view, char>, 17> valuedNames{{
    {"model", 'm'},
    {"rig-file", 'r'},
    {"ptt-file", 'p'},
    {"dcd-file", 'd'},
    {"ptt-type", 'P'},
    {"dcd-type", 'D'},
    {"serial-speed", 's'},
    {"civaddr", 'c'},
    {"port", 't'},
    {"separator", 'S'},
    {"listen-addr", 'T'},
    {"set-conf", 'C'},
    {"multicast-addr", 'M'},
    {"multicast-port", 'n'},
    {"password", 'A'},
    {"twiddle_timeout", 'W'},
    {"uplink", 'x'},
}};

using Option = std::pair<char, std::string>;

// The valued options given, in order, read as rigctld's option parser reads them: "-s 4800",
// "-s4800", "-vs4800", "--serial-speed=4800" and "--serial-speed 4800" all give s = 4800.
std::vector<Option> valuedOptions(const std::vector<std::string>& commandLine) {
    std::vector<Option> options;
    for (std::size_t at = 1; at < commandLine.size(); ++at) {
        const std::string_view word = commandLine[at];
        if (word == "--") {
            break;
        }
        if (word.rfind("--", 0) == 0) {
            const std::string_view name = word.substr(2, word.find('=') - 2);
            for (const auto& [known, letter] : valuedNames) {
                if (name != known) {
                    continue;
                }
                if (const auto equals = word.find('='); equals != std::string_view::npos) {
                    options.emplace_back(letter, std::string(word.substr(equals + 1)));
                } else if (at + 1 < commandLine.size()) {
                    options.emplace_back(letter, commandLine[++at]);
                }
            }
            continue;
        }
        if (word.size() < 2 || word[0] != '-') {
            continue;
        }
        for (std::size_t letter = 1; letter < word.size(); ++letter) {
            if (valuedLetters.find(word[letter]) == std::string_view::npos) {
                continue;
            }
            if (letter + 1 < word.size()) {
                options.emplace_back(word[letter], std::string(word.substr(letter + 1)));
            } else if (at + 1 < commandLine.size()) {
                options.emplace_back(word[letter], commandLine[++at]);
            }
            break;
        }
    }
    return options;
}

// "serial_speed=4800,stop_bits=2" into its settings; the last of a name counts, as in rigctld.
void readSettings(std::string_view list, std::map<std::string, std::string>& settings) {
    while (!list.empty()) {
        const std::string_view item = list.substr(0, list.find(','));
        list.remove_prefix(std::min(list.size(), item.size() + 1));
        if (const auto equals = item.find('='); equals != std::string_view::npos) {
            settings[std::string(item.substr(0, equals))] = std::string(item.substr(equals + 1));
        }
    }
}

std::string valueOf(const std::map<std::string, std::string>& settings, const std::string& name,
                    const std::string& otherwise) {
    const auto found = settings.find(name);
    return found == settings.end() ? otherwise : found->second;
}
} // namespace

std::optional<LineSettings> rigctldModelLine(const RigctldAnswers::Answer& capabilities) {
    constexpr std::string_view key = "Serial speed:";
    for (const std::string& line : capabilities.lines) {
        if (line.rfind(key, 0) != 0) {
            continue;
        }
        // " 1200..57600 bauds, 8N1 "
        const auto dots = line.find("..");
        const auto bauds = line.find(" bauds, ");
        if (dots == std::string::npos || bauds == std::string::npos || bauds < dots) {
            return std::nullopt;
        }
        const std::string highest = line.substr(dots + 2, bauds - dots - 2);
        const std::string frame = line.substr(bauds + 8, 3);
        if (frame.size() != 3) {
            return std::nullopt;
        }
        return parseLineSettings(highest + ',' + frame[1] + ',' + frame[0] + ',' + frame[2])
            .settings;
    }
    return std::nullopt;
}

RigctldEntry rigctldListening(const std::vector<std::string>& commandLine) {
    RigctldEntry listening{"localhost", rigctldDefaultPort};
    for (const auto& [letter, value] : valuedOptions(commandLine)) {
        if (letter == 'T') {
            const bool everyAddress = value.empty() || value == "0.0.0.0" || value == "::";
            listening.host = everyAddress ? "localhost" : value;
        } else if (const auto port = networkPortNumber(std::string(value)); letter == 't' && port) {
            listening.port = *port;
        }
    }
    return listening;
}

bool rigctldListensOn(const std::vector<std::string>& commandLine, int port) {
    return rigctldListening(commandLine).port == port;
}

std::optional<LineSettings> rigctldLine(const std::vector<std::string>& commandLine,
                                        const LineSettings& modelLine) {
    std::map<std::string, std::string> settings;
    std::optional<std::string> speed;
    for (const auto& [letter, value] : valuedOptions(commandLine)) {
        if (letter == 's') {
            speed = value;
        } else if (letter == 'C') {
            readSettings(value, settings);
        }
    }
    // rigctld applies -s after every -C.
    if (speed) {
        settings["serial_speed"] = *speed;
    }
    // The model's parity letter, or the first of rigctld's word for it ("Even").
    const std::string modelText = modelLine.text();
    const std::string parity =
        valueOf(settings, "serial_parity", modelText.substr(modelText.find(',') + 1, 1));
    return parseLineSettings(valueOf(settings, "serial_speed", std::to_string(modelLine.rate)) +
                             ',' + parity.substr(0, 1) + ',' +
                             valueOf(settings, "data_bits", std::to_string(modelLine.dataBits)) +
                             ',' +
                             valueOf(settings, "stop_bits", std::to_string(modelLine.stopBits)))
        .settings;
}
