// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/PortHolderAdvice.h"

#include "link/RigctldLine.h"
#include "radio/PortLabel.h"

namespace {
std::string windowAdvice(const std::string& program, const std::vector<std::string>& commandLine,
                         int number, const std::string& portsFile) {
    if (program == "ModemManager") {
        return ". ModemManager tries every new serial port for a modem for a while after it "
               "appears: wait half a minute and press Connect again, or stop it for good with "
               "sudo systemctl disable --now ModemManager";
    }
    if (program == "rigctld") {
        return ". To share the radio with the programs that use it, let " + portLabel(number) +
               " reach the radio through that rigctld: write \"rigctld " +
               rigctldListening(commandLine).address() + "\" into the file " + portsFile +
               "; or close it";
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
               rigctldListening(commandLine).address() +
               " instead of --port or --device; or stop it";
    }
    return ". Close that program, or run the command again once it has let the port go";
}
} // namespace

std::string holderAdvice(const std::string& program, const std::vector<std::string>& commandLine,
                         int number, const std::string& portsFile, Audience audience) {
    if (program == "brltty") {
        return ". brltty, the braille display driver, takes USB serial adapters for itself: if "
               "you use no braille display, remove it (sudo apt remove brltty), then unplug the "
               "adapter and plug it in again";
    }
    return audience == Audience::window ? windowAdvice(program, commandLine, number, portsFile)
                                        : scriptAdvice(program, commandLine);
}
