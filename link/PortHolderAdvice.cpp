// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/PortHolderAdvice.h"

#include "link/PortsEntry.h"
#include "radio/PortLabel.h"

#include <charconv>
#include <optional>

namespace {
constexpr std::uint16_t rigctldDefaultPort = 4532;

// The value of a rigctld option in its short ("-t 4533", "-t4533") or long form ("--port 4533",
// "--port=4533") at words[at], advancing at past it; nullopt when words[at] is not that option.
std::optional<std::string> optionValue(const std::vector<std::string>& words, std::size_t& at,
                                       const std::string& shortName, const std::string& longName) {
    const std::string& word = words[at];
    for (const std::string& name : {shortName, longName}) {
        if (word == name) {
            return at + 1 < words.size() ? std::optional(words[++at]) : std::nullopt;
        }
        const std::string attached = name.size() == 2 ? name : name + "=";
        if (word.size() > attached.size() && word.rfind(attached, 0) == 0) {
            return word.substr(attached.size());
        }
    }
    return std::nullopt;
}

std::string windowAdvice(const std::string& program, const std::vector<std::string>& commandLine,
                         int number) {
    if (program == "ModemManager") {
        return ". ModemManager tries every new serial port for a modem for a while after it "
               "appears: wait half a minute and press Connect again, or stop it for good with "
               "sudo systemctl disable --now ModemManager";
    }
    if (program == "rigctld") {
        return ". To share the radio with the programs that use it, let " + portLabel(number) +
               " reach the radio through that rigctld: write \"rigctld " +
               rigctldAddress(commandLine) + "\" into the file ~/.config/Sonavel/ports/com" +
               std::to_string(number) + "; or close it";
    }
    return ". Close that program, or press Connect once it has let the port go";
}

std::string scriptAdvice(const std::string& program, const std::vector<std::string>& commandLine) {
    if (program == "ModemManager") {
        return ". ModemManager tries every new serial port for a modem for a while after it "
               "appears: wait half a minute and run the command again, or stop it for good with "
               "sudo systemctl disable --now ModemManager";
    }
    if (program == "rigctld") {
        return ". To share the radio with the programs that use it, go through that rigctld: "
               "give --rigctld " +
               rigctldAddress(commandLine) + " instead of --port or --device; or stop it";
    }
    return ". Close that program, or run the command again once it has let the port go";
}
} // namespace

std::string holderAdvice(const std::string& program, const std::vector<std::string>& commandLine,
                         int number, Audience audience) {
    if (program == "brltty") {
        return ". brltty, the braille display driver, takes USB serial adapters for itself: if "
               "you use no braille display, remove it (sudo apt remove brltty), then unplug the "
               "adapter and plug it in again";
    }
    return audience == Audience::window ? windowAdvice(program, commandLine, number)
                                        : scriptAdvice(program, commandLine);
}

std::string rigctldAddress(const std::vector<std::string>& commandLine) {
    RigctldEntry listening{"localhost", rigctldDefaultPort};
    // Its options stop at "--"; the program's own name comes first.
    for (std::size_t at = 1; at < commandLine.size() && commandLine[at] != "--"; ++at) {
        if (auto host = optionValue(commandLine, at, "-T", "--listen-addr")) {
            // An address that means every address is reached on this machine's own.
            const bool everyAddress = host->empty() || *host == "0.0.0.0" || *host == "::";
            listening.host = everyAddress ? "localhost" : *host;
        } else if (auto port = optionValue(commandLine, at, "-t", "--port")) {
            std::uint16_t number = 0;
            const char* end = port->data() + port->size();
            if (const auto [stop, error] = std::from_chars(port->data(), end, number);
                error == std::errc{} && stop == end && number > 0) {
                listening.port = number;
            }
        }
    }
    return listening.address();
}
