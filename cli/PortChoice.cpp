// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "cli/PortChoice.h"

#include "radio/LineSettings.h"
#include "radio/PortReports.h"
#include "settings/StoredPortNumber.h"
#include "settings/StoredSettings.h"

namespace command_line {
namespace {
Outcome usage(const std::string& words) {
    return {ExitStatus::usage, words};
}

Outcome unusableStored(const std::string& words) {
    return {ExitStatus::portNotOpened,
            words + ". Give the port and rate with --port and --rate, or choose them in the "
                    "window."};
}

void noteOrigin(std::string& origin, const std::string& stored, const std::string& what) {
    origin +=
        (origin.empty() ? "" : ", ") + std::string(stored.empty() ? "default " : "stored ") + what;
}
} // namespace

PortChoice choosePort(SerialPort& port, const Request& request, SettingsStore& settings) {
    PortChoice choice;
    const bool throughRigctld = request.way && std::holds_alternative<RigctldEntry>(*request.way);
    if (throughRigctld) {
        return choice;
    }
    const bool numberNeeded = !request.port && !request.way;
    if (request.port) {
        if (const Result set = port.setPortNumber(*request.port); !set) {
            choice.problem = usage(port_reports::numberRefused(*request.port, set.reason()));
            return choice;
        }
    }
    // Defaults in place of settings that could not be read would reach another port, or the
    // radio at another rate, than the window would.
    if (numberNeeded || !request.rate) {
        if (const std::string problem = settings.readProblem(); !problem.empty()) {
            choice.problem = {ExitStatus::portNotOpened,
                              "The stored settings cannot be used (" + problem + "); give " +
                                  (numberNeeded ? "--port and --rate." : "--rate.")};
            return choice;
        }
    }
    if (numberNeeded) {
        const std::string storedText = stored::read(settings, stored::portNumber);
        if (!storedText.empty()) {
            const StoredPortNumber parsed = parseStoredPortNumber(storedText);
            const Result set = parsed.number ? port.setPortNumber(*parsed.number)
                                             : Result::failure(parsed.failure);
            if (!set) {
                choice.problem = unusableStored(set.reason());
                return choice;
            }
        }
        noteOrigin(choice.origin, storedText, "port");
    }
    if (request.rate) {
        if (const Result set = port.setLineSettings(selectedRateSettings(*request.rate)); !set) {
            choice.problem = usage(port_reports::rateRefused(*request.rate, set.reason()));
        }
    } else {
        const std::string storedText = stored::read(settings, stored::lineSettings);
        if (const Result set =
                storedText.empty() ? Result::success() : port.setLineSettings(storedText);
            !set) {
            choice.problem = unusableStored(set.reason());
        }
        noteOrigin(choice.origin, storedText, "line settings");
    }
    return choice;
}
} // namespace command_line
