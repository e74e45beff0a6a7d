// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "cli/HelpTexts.h"

#include "sentence/Samples.h"

namespace command_line {
namespace {
#ifdef _WIN32
// Windows has no signals to send a program, and no manual pages.
constexpr const char* whatEndsAuto = "Ctrl+C ends it at once";
constexpr const char* documentation = "Full documentation: README.txt beside sonavel.exe";
#else
constexpr const char* whatEndsAuto = "SIGINT or SIGTERM ends it at once";
constexpr const char* documentation = "Full documentation: man sonavel";
#endif
} // namespace

std::string sampleNames() {
    std::string names;
    for (const auto& sample : samples::table) {
        names += (names.empty() ? "" : ", ") + std::string(sample.name);
    }
    return names;
}

std::string usageText() {
    return "Usage: sonavel --send FILE [--port N] [--rate R] [--auto SECONDS]\n"
           "       sonavel --sample NAME [--port N] [--rate R] [--auto SECONDS]\n"
           "       sonavel --list-ports\n"
           "Try 'sonavel --help' for more information.\n";
}

std::string helpText() {
    return "Usage: sonavel [--send FILE | --sample NAME] [--port N] [--rate R] [--auto SECONDS]\n"
           "       sonavel --list-ports\n"
           "Loads a DSP equaliser sentence into a TS-2000 transceiver: writes UR and UT with\n"
           "the sentence to the radio's serial port, without a window. Started without\n"
           "arguments, sonavel opens its window instead.\n"
           "\n"
           "  --send FILE     send the last line of FILE, read as the window's Open reads it;\n"
           "                  with FILE -, read standard input\n"
           "  --sample NAME   send a built-in sample, letter case ignored:\n"
           "                  " +
           sampleNames() +
           "\n"
           "  --port N        open Com N, as the window's port selector does;\n"
           "                  without it, the port stored by the window\n"
           "  --rate R        R bits per second, no parity, 8 data bits, 1 stop bit\n"
           "                  (2 at 4800); without it, the line settings stored by\n"
           "                  the window\n"
           "  --auto SECONDS  send again every 500 ms for SECONDS seconds, paced to the line;\n"
           "                  " +
           whatEndsAuto +
           "\n"
           "  --list-ports    list each Com number that leads to a serial device\n"
           "  --help          display this help and exit\n"
           "  --version       output version information and exit\n"
           "\n"
           "Exit status:\n"
           "  0  sent, and the radio refused nothing; through rigctld, rigctld confirmed\n"
           "     both commands\n"
           "  1  any other trouble, such as the device lost while sending, or rigctld\n"
           "     failing a command or not answering it within 2 seconds\n"
           "  2  the command line is wrong\n"
           "  3  the port could not be opened or set up, or the stored settings it would\n"
           "     come from cannot be used\n"
           "  4  the radio answered ?; E; or O;, or rigctld says it rejected a command\n"
           "  5  the sentence could not be read or is not 128 hexadecimal digits, 0 to 9\n"
           "     and A to F; nothing was sent\n"
           "\n" +
           documentation + "\n";
}

std::string versionText() {
    return "sonavel (Sonavel) " SONAVEL_VERSION "\n"
           "Copyright (C) 2026 Sonavel developers\n"
           "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}
} // namespace command_line
