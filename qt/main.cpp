// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "cli/Arguments.h"
#include "cli/ExitStatus.h"
#include "cli/HelpTexts.h"
#include "qt/Program.h"
#include "qt/cli/CommandLine.h"
#include "system/CommandArguments.h"

#include <QApplication>
#include <QtGlobal>
#include <algorithm>
#include <iostream>

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

// Without a display Qt ends the program with advice to reinstall it; over SSH or from a service
// the user is told what is missing instead. Only where the window needs X11 or Wayland, and not
// where the user chose Qt's platform (offscreen, a framebuffer).
bool windowHasNoDisplay(const std::vector<std::string>& arguments) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const bool platformChosen =
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        std::find(arguments.begin(), arguments.end(), "-platform") != arguments.end();
    return !platformChosen && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    static_cast<void>(arguments);
    return false;
#endif
}
} // namespace

int main(int argc, char* argv[]) {
    // A script's arguments run without a window, before anything could reach for a display.
    const std::vector<std::string> arguments = commandArguments(argc, argv);
    if (!command_line::argumentsAreForWindow(arguments)) {
        return runCommandLine(arguments);
    }
    if (windowHasNoDisplay(arguments)) {
        std::cerr << command_line::noDisplayText();
        return static_cast<int>(command_line::ExitStatus::failure);
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
