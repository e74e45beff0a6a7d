#pragma once

#include "app/MainWindow.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/serial/QtSerialPort.h"
#include "platform/qt/settings/QtSettingsStore.h"
#include "platform/qt/window/WindowView.h"
#include "tests/doubles/RecordedMessageBox.h"
#include "tests/doubles/ScriptedFileDialog.h"
#include "tests/support/ComPortLink.h"
#include "tests/support/SimulatedRadio.h"
#include "tests/support/TestApplication.h"

#include <memory>

// The program as a user runs it, on the real serial port, settings file, event loop and
// window, with a simulated radio linked as Com 3.
struct LiveWindow {
    static constexpr int radioPort = 3;

    LiveWindow() {
        link.link(radioPort, radio.slavePath());
        window = std::make_unique<MainWindow>(Platform{port, settings, dialog, messages, loop});
        view = std::make_unique<WindowView>(*window, loop);
        view->show();
        view->activateWindow();
    }

    template <class Widget = QWidget> Widget* widget(const char* name) const {
        return view->findChild<Widget*>(name);
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
    QtSerialPort port;
    QtSettingsStore settings;
    ScriptedFileDialog dialog;
    RecordedMessageBox messages;
    QtEventLoop loop;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<WindowView> view;
};
