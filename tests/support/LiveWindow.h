// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "qt/Program.h"
#include "tests/doubles/RecordedMessageBox.h"
#include "tests/doubles/ScriptedFileDialog.h"
#include "tests/support/ComPortLink.h"
#include "tests/support/SimulatedRadio.h"
#include "tests/support/TestApplication.h"

#include <memory>

// The program as a user runs it, on the real serial port, settings file, event loop and
// window, with a simulated radio linked as Com 3. Only the dialogs are scripted.
struct LiveWindow {
    static constexpr int radioPort = 3;

    LiveWindow() {
        link.link(radioPort, radio.slavePath());
        program = std::make_unique<Program>(dialog, messages);
        window = program->window.get();
        port = &program->serialPort;
        program->view->show();
        program->view->activateWindow();
    }

    template <class Widget = QWidget> Widget* widget(const char* name) const {
        return program->view->findChild<Widget*>(name);
    }

    // After a hang-up the radio comes back on a new device; the link follows it.
    void radioReappears() {
        radio.reappear();
        link.link(radioPort, radio.slavePath());
    }

    // First, since the port and the settings need the application.
    QApplication& app = application();
    ComPortLink link;
    SimulatedRadio radio;
    ScriptedFileDialog dialog;
    RecordedMessageBox messages;
    std::unique_ptr<Program> program;
    MainWindow* window = nullptr;
    QtSerialPort* port = nullptr;
};
