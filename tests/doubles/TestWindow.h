// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "app/MainWindow.h"
#include "tests/doubles/FakeSerialPort.h"
#include "tests/doubles/MemorySettingsStore.h"
#include "tests/doubles/QueuedEventLoop.h"
#include "tests/doubles/RecordedMessageBox.h"
#include "tests/doubles/ScriptedFileDialog.h"

#include <memory>

// The window model on test doubles. Script the doubles, then start() creates the window,
// which runs start-up.
struct TestWindow {
    QueuedEventLoop loop;
    FakeSerialPort port{loop};
    MemorySettingsStore settings;
    ScriptedFileDialog dialog;
    RecordedMessageBox messages;
    std::unique_ptr<MainWindow> window;

    MainWindow& start() {
        window = std::make_unique<MainWindow>(Platform{port, settings, dialog, messages, loop});
        return *window;
    }
    MainWindow* operator->() { return window.get(); }
};
