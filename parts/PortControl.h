// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/ComboBox.h"
#include "controls/Lamp.h"
#include "controls/NoticeBox.h"
#include "parts/TellOnce.h"
#include "platform/SerialPort.h"
#include "platform/SettingsStore.h"

#include <optional>
#include <string>

// The port: which one (the port selector), at what rate (the rate selector), open or closed
// (Connect and the port lamp), and what happens to it, told in the notice box.
class PortControl {
public:
    struct Controls {
        ComboBox& portSelector;
        ComboBox& rateSelector;
        Lamp& portLamp;
    };

    PortControl(Controls controls, SerialPort& port, SettingsStore& settings, NoticeBox& notices);

    // Brings back the stored port number and line settings, each when there is one. The last
    // thing that could not be brought back, if any; the rate selector shows the stored rate
    // only when everything was.
    std::optional<std::string> restore(const std::string& portText,
                                       const std::string& lineSettings);

    void portChosen();
    void rateChosen();
    void connectPressed();
    // The open port was lost and has been closed.
    void portLost(const std::string& reason);
    // An open left under way has ended.
    void portOpened();
    void openFailed(const std::string& reason);

private:
    // The lamp follows the port, so it never claims a port that failed to open.
    void showPortState();
    void reportOpened();

    Controls controls_;
    SerialPort& port_;
    SettingsStore& settings_;
    NoticeBox& notices_;
    // That rigctld sets the line is said once for each open.
    TellOnce lineNotes_;
};
