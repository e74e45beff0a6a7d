#include "app/MainWindow.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/files/QtFileDialog.h"
#include "platform/qt/serial/QtSerialPort.h"
#include "platform/qt/settings/QtSettingsStore.h"
#include "platform/qt/window/WindowView.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Sonavel");

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
