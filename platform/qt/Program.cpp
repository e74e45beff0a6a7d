#include "platform/qt/Program.h"

#include "store/SystemFile.h"

Program::Program() {
    failWritesBeyondFileSizeLimit();
    eventLoop.releaseAtEnd([this] { serialPort.release(); });
    eventLoop.endOnSignals();
    window = std::make_unique<MainWindow>(
        Platform{serialPort, settings, fileDialog, messageBox, eventLoop});
    view = std::make_unique<WindowView>(*window, eventLoop);
}
