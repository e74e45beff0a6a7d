// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/Program.h"

#include "system/SystemFile.h"

Program::Program() : Program(std::make_unique<RealDialogs>()) {}

Program::Program(std::unique_ptr<RealDialogs> dialogs) : realDialogs_(std::move(dialogs)) {
    start(realDialogs_->fileDialog, realDialogs_->messageBox);
}

Program::Program(FileDialog& fileDialog, MessageBox& messageBox) {
    start(fileDialog, messageBox);
}

void Program::start(FileDialog& fileDialog, MessageBox& messageBox) {
    failWritesBeyondFileSizeLimit();
    eventLoop.releaseAtEnd([this] { serialPort.release(); });
    eventLoop.endOnSystemRequests();
    settings.whileWaiting([this] { eventLoop.endIfRequested(); });
    window = std::make_unique<MainWindow>(
        Platform{serialPort, settings, fileDialog, messageBox, eventLoop});
    view = std::make_unique<WindowView>(*window, eventLoop);
}
