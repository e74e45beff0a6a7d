// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "cli/Arguments.h"
#include "qt/Program.h"
#include "qt/cli/CommandLine.h"
#include "system/CommandArguments.h"

#include <QApplication>
#include <QtGlobal>

namespace {
// On a Wayland desktop the window runs through its X server unless the user chose otherwise:
// there the desktop draws the title bar and honours a fixed size, while Qt's own title bar on
// Wayland offers a maximise the window cannot take and cuts the title.
void preferDesktopDrawnTitleBar() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    }
}
} // namespace

int main(int argc, char* argv[]) {
    // A script's arguments run without a window, before anything could reach for a display.
    if (const std::vector<std::string> arguments = commandArguments(argc, argv);
        !command_line::argumentsAreForWindow(arguments)) {
        return runCommandLine(arguments);
    }
    preferDesktopDrawnTitleBar();
    QApplication application(argc, argv);
    QApplication::setApplicationName("Sonavel");
    // Lets a Wayland desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("org.sonavel.Sonavel");

    Program program;
    program.view->show();
    return QApplication::exec();
}
