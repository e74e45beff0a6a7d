// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "cli/HelpTexts.h"

#include "radio/PortLabel.h"
#include "sentence/Samples.h"

namespace command_line {
namespace {
// The width of the narrowest console, less the column a console wraps at.
constexpr std::size_t helpWidth = 79;
// Where an option's description starts.
constexpr std::size_t descriptionColumn = 20;

#ifdef _WIN32
// Windows has no signals to send a program, no manual pages, and names its ports itself.
constexpr const char* whatEndsAuto = "Ctrl+C ends it at once";
constexpr const char* documentation = "Full documentation: README.txt beside sonavel.exe";
constexpr const char* deviceOption = "  --device NAME     the COM port NAME, such as COM12\n";
#else
constexpr const char* whatEndsAuto = "SIGINT or SIGTERM ends it at once";
constexpr const char* documentation = "Full documentation: man sonavel";
constexpr const char* deviceOption =
    "  --device PATH     the serial device PATH, or its name under\n"
    "                    /dev/serial/by-id\n";
#endif

// The samples' names after what is already on the line, wrapped between names at the help's
// width, each further line indented to the description's column.
std::string withSampleNames(std::string line) {
    std::size_t lineLength = line.size();
    for (std::size_t at = 0; at < samples::table.size(); ++at) {
        const std::string name =
            std::string(samples::table[at].name) + (at + 1 < samples::table.size() ? "," : "");
        if (lineLength + 1 + name.size() > helpWidth) {
            line += "\n" + std::string(descriptionColumn - 1, ' ');
            lineLength = descriptionColumn - 1;
        }
        line += " " + name;
        lineLength += 1 + name.size();
    }
    return line + "\n";
}
} // namespace

std::string sampleNames() {
    std::string names;
    for (const auto& sample : samples::table) {
        names += (names.empty() ? "" : ", ") + std::string(sample.name);
    }
    return names;
}

std::string usageText() {
    return "Usage: sonavel --send FILE [WAY] [--rate R] [--auto SECONDS]\n"
           "       sonavel --sample NAME [WAY] [--rate R] [--auto SECONDS]\n"
           "       sonavel --list-ports\n"
           "WAY: --port N, --device PATH [--rtscts] or --rigctld HOST:PORT\n"
           "Try 'sonavel --help' for more information.\n";
}

std::string helpText() {
    return "Usage: sonavel --send FILE [WAY] [--rate R] [--auto SECONDS]\n"
           "       sonavel --sample NAME [WAY] [--rate R] [--auto SECONDS]\n"
           "       sonavel --list-ports\n"
           "Loads a DSP equaliser sentence into a TS-2000 transceiver: writes UR and UT\n"
           "with the sentence to the radio, without a window. Started without arguments,\n"
           "sonavel opens its window instead.\n"
           "\n"
           "  --send FILE       send the last line of FILE, read as the window's Open\n"
           "                    reads it; with FILE -, read standard input\n" +
           withSampleNames("  --sample NAME     send a built-in sample, letter case ignored:") +
           "  --rate R          R bits per second, no parity, 8 data bits, 1 stop bit\n"
           "                    (2 at 4800); without it, the line settings stored by\n"
           "                    the window\n"
           "  --auto SECONDS    send again every 500 ms for SECONDS seconds, paced to\n"
           "                    the line; " +
           whatEndsAuto +
           "\n"
           "  --list-ports      list what --port takes, each Com number with its device\n"
           "                    or rigctld; what cannot be used, and why, goes to\n"
           "                    standard error\n"
           "  --help            display this help and exit\n"
           "  --version         output version information and exit\n"
           "\n"
           "WAY, the way to the radio; without one, the port stored by the window:\n"
           "  --port N          Com N, 1 to " +
           std::to_string(highestPortNumber) + ", as the window's port selector has it\n" +
           deviceOption +
           "  --rtscts          with --device: RTS/CTS handshake\n"
           "  --rigctld HOST:PORT\n"
           "                    through the rigctld at HOST:PORT, which sets the radio's\n"
           "                    line itself, so --rate does not apply\n"
           "\n"
           "Exit status:\n"
           "  0  sent, and the radio refused nothing; through rigctld, rigctld confirmed\n"
           "     both commands\n"
           "  1  any other trouble, such as the device lost while sending, or rigctld\n"
           "     failing a command or not answering it within 2 seconds\n"
           "  2  the command line is wrong\n"
           "  3  the port could not be opened or set up, another program has it, or the\n"
           "     stored settings it would come from cannot be used\n"
           "  4  the radio answered ?; E; or O;, or rigctld says it rejected a command\n"
           "  5  the sentence could not be read or is not 128 hexadecimal digits, 0 to 9\n"
           "     and A to F; nothing was sent\n"
           "\n" +
           documentation + "\n";
}

std::string noDisplayText() {
    return "sonavel: there is no display to open the window on (neither DISPLAY nor "
           "WAYLAND_DISPLAY is set); to load a sentence without a window, see sonavel --help\n";
}

std::string versionText() {
    return "sonavel (Sonavel) " SONAVEL_VERSION "\n"
           "Copyright (C) 2026 Sonavel developers\n"
           "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}
} // namespace command_line
