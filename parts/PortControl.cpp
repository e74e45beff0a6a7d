// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "parts/PortControl.h"

#include "radio/LineSettings.h"
#include "radio/PortLabel.h"
#include "radio/PortReports.h"
#include "settings/StoredPortNumber.h"
#include "settings/StoredSettings.h"

PortControl::PortControl(Controls controls, SerialPort& port, SettingsStore& settings,
                         NoticeBox& notices)
    : controls_(controls), port_(port), settings_(settings), notices_(notices) {}

std::optional<std::string> PortControl::restore(const std::string& portText,
                                                const std::string& lineSettings) {
    std::optional<std::string> lastFailure;
    if (!portText.empty()) {
        const StoredPortNumber parsed = parseStoredPortNumber(portText);
        if (!parsed.number) {
            lastFailure = parsed.failure;
        } else if (const Result set = port_.setPortNumber(*parsed.number); !set) {
            lastFailure = set.reason();
        }
        controls_.portSelector.setText(portLabel(portText));
    }
    if (!lineSettings.empty()) {
        if (const Result set = port_.setLineSettings(lineSettings); !set) {
            lastFailure = set.reason();
        }
        if (const auto comma = lineSettings.find(','); !lastFailure && comma != std::string::npos) {
            controls_.rateSelector.setText(lineSettings.substr(0, comma));
        }
    }
    return lastFailure;
}

void PortControl::portChosen() {
    const bool wasOpen = port_.isOpen() || port_.isOpening();
    if (wasOpen) {
        (void)port_.setOpen(false);
    }
    const std::int32_t number = controls_.portSelector.itemData(controls_.portSelector.listIndex());
    if (const Result set = port_.setPortNumber(static_cast<std::int16_t>(number)); !set) {
        notices_.report(port_reports::numberRefused(number, set.reason()));
    }
    if (const Result written = stored::write(settings_, stored::portNumber, std::to_string(number));
        !written) {
        notices_.report("The port choice could not be remembered: " + written.reason());
    }
    if (wasOpen) {
        if (const Result opened = port_.setOpen(true); !opened) {
            notices_.report(port_reports::notOpened(opened.reason()));
        } else if (port_.isOpen()) {
            reportOpened();
        }
        showPortState();
    }
}

void PortControl::rateChosen() {
    const std::int32_t rate = controls_.rateSelector.itemData(controls_.rateSelector.listIndex());
    if (const Result set = port_.setLineSettings(selectedRateSettings(rate)); !set) {
        notices_.report(port_reports::rateRefused(rate, set.reason()));
        return;
    }
    if (const Result written = stored::write(settings_, stored::lineSettings, port_.lineSettings());
        !written) {
        notices_.report("The rate is in use but could not be remembered: " + written.reason());
    }
    if (port_.isOpen() && !port_.lineSettingsApply() && lineNotes_.firstTelling("rigctld")) {
        notices_.report(portLabel(port_.portNumber()) + " reaches the radio through rigctld, "
                                                        "which sets the radio's line itself: the "
                                                        "rate is kept for a serial device");
    }
}

// A press while an open is under way gives it up.
void PortControl::connectPressed() {
    if (port_.isOpening()) {
        (void)port_.setOpen(false);
        notices_.report(portLabel(port_.portNumber()) + " was not opened: Connect was pressed "
                                                        "again before it answered");
        showPortState();
        return;
    }
    const bool wasOpen = port_.isOpen();
    if (const Result toggled = port_.setOpen(!wasOpen); !toggled) {
        notices_.report(port_reports::notOpened(toggled.reason()));
    }
    if (port_.isOpen() && !wasOpen) {
        reportOpened();
    } else if (!port_.isOpen() && wasOpen) {
        notices_.report(portLabel(port_.portNumber()) + " closed");
    }
    showPortState();
}

void PortControl::portLost(const std::string& reason) {
    showPortState();
    notices_.report(port_reports::connectionLost(reason, Audience::window));
}

void PortControl::portOpened() {
    reportOpened();
    showPortState();
}

void PortControl::openFailed(const std::string& reason) {
    notices_.report(port_reports::notOpened(reason));
    showPortState();
}

void PortControl::showPortState() {
    controls_.portLamp.setLit(port_.isOpen());
}

// Which device a number opened is decided only at the open, so the user is told each time.
void PortControl::reportOpened() {
    lineNotes_.forget();
    notices_.report(portLabel(port_.portNumber()) + " open: " + port_.device() + ", " +
                    port_.lineInUse());
}
