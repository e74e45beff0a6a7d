#include "app/MainWindow.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/files/QtFileDialog.h"
#include "platform/qt/serial/QtSerialPort.h"
#include "platform/qt/settings/QtSettingsStore.h"
#include "platform/qt/window/WindowView.h"

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
    preferDesktopDrawnTitleBar();
    QApplication application(argc, argv);
    QApplication::setApplicationName("Sonavel");
    // Lets a Wayland desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("org.sonavel.Sonavel");

    QtSerialPort serialPort;
    QtSettingsStore settings;
    QtFileDialog fileDialog;
    QtMessageBox messageBox;
    QtEventLoop eventLoop;
    // Before start-up, which may already wait on a modal warning.
    eventLoop.releaseAtEnd([&serialPort] { serialPort.release(); });
    eventLoop.endOnSignals();
    MainWindow window(Platform{serialPort, settings, fileDialog, messageBox, eventLoop});

    WindowView view(window, eventLoop);
    view.show();
    return QApplication::exec();
}
