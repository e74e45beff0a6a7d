// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "app/MainWindow.h"
#include "qt/QtEventLoop.h"
#include "qt/QtMessageBox.h"
#include "qt/files/QtFileDialog.h"
#include "qt/serial/QtSerialPort.h"
#include "qt/settings/SystemSettingsStore.h"
#include "qt/window/WindowView.h"

#include <memory>

// The program put together: the real platform, the window model on it, and the window. Creating
// it runs start-up; whatever the system must get back at the end is handed to the event loop
// first, since start-up may already wait on a modal warning.
class Program {
public:
    // With the real dialogs.
    Program();
    // With dialogs that the caller scripts, the rest real.
    Program(FileDialog& fileDialog, MessageBox& messageBox);

    QtSerialPort serialPort;
    SystemSettingsStore settings;
    QtEventLoop eventLoop;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<WindowView> view;

private:
    struct RealDialogs {
        QtFileDialog fileDialog;
        QtMessageBox messageBox;
    };

    explicit Program(std::unique_ptr<RealDialogs> dialogs);
    void start(FileDialog& fileDialog, MessageBox& messageBox);

    std::unique_ptr<RealDialogs> realDialogs_;
};
