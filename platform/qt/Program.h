#pragma once

#include "app/MainWindow.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/files/QtFileDialog.h"
#include "platform/qt/serial/QtSerialPort.h"
#include "platform/qt/settings/QtSettingsStore.h"
#include "platform/qt/window/WindowView.h"

#include <memory>

// The program put together: the real platform, the window model on it, and the window. Creating
// it runs start-up; whatever the system must get back at the end is handed to the event loop
// first, since start-up may already wait on a modal warning.
class Program {
public:
    Program();

    QtSerialPort serialPort;
    QtSettingsStore settings;
    QtFileDialog fileDialog;
    QtMessageBox messageBox;
    QtEventLoop eventLoop;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<WindowView> view;
};
