// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "app/MainWindow.h"

#include "radio/PortLabel.h"

namespace {
std::vector<ComboBox::Item> portItems() {
    std::vector<ComboBox::Item> items;
    for (int number = lowestPortNumber; number <= highestSelectorNumber; ++number) {
        items.push_back({portLabel(number), number});
    }
    return items;
}

std::vector<ComboBox::Item> rateItems() {
    std::vector<ComboBox::Item> items;
    for (int rate : {4800, 9600, 19200, 38400, 57600}) {
        items.push_back({std::to_string(rate), rate});
    }
    return items;
}
} // namespace

MainWindow::MainWindow(Platform platform)
    : portSelector(portLabel(1), portItems()), rateSelector("9600", rateItems()),
      sampleSelector("Select Sample", SampleChoice::sampleItems()),
      serialPort_(platform.serialPort), settings_(platform.settings),
      messageBox_(platform.messageBox), eventLoop_(platform.eventLoop),
      sentence_({sentenceBox, digitStore}),
      port_({portSelector, rateSelector, portLamp}, serialPort_, settings_, noticeBox),
      transmission_({autoResend, sendLamp, resendTimer, sendLampTimer}, sentence_, serialPort_,
                    eventLoop_, noticeBox),
      samples_(sampleSelector, sentence_, settings_, noticeBox),
      lineEditor_({lineSelector, digitCells}, sentence_, noticeBox),
      files_(sampleSelector, sentence_, platform.fileDialog, eventLoop_, serialPort_, noticeBox) {
    sampleSelector.onChosen = [this] { samples_.sampleChosen(); };
    portSelector.onChosen = [this] { port_.portChosen(); };
    rateSelector.onChosen = [this] { port_.rateChosen(); };
    connectButton.onPress = [this] {
        transmission_.startAfresh();
        port_.connectPressed();
    };
    updateButton.onPress = [this] { transmission_.updatePressed(); };
    resendTimer.onTick = [this] { transmission_.resendTick(); };
    sendLampTimer.onTick = [this] { transmission_.sendLampTick(); };
    lineSelector.onChosen = [this] { lineEditor_.lineChosen(); };
    acceptButton.onPress = [this] { lineEditor_.acceptPressed(); };
    openButton.onPress = [this] { files_.openPressed(); };
    saveButton.onPress = [this] { files_.savePressed(); };
    openMenuItem.onChosen = [this] { files_.openPressed(); };
    saveMenuItem.onChosen = [this] { files_.savePressed(); };
    // Exit may come from inside a yield; the program ends there, and nothing resumes.
    exitButton.onPress = [this] { eventLoop_.endProgram(); };
    exitMenuItem.onChosen = [this] { eventLoop_.endProgram(); };
    serialPort_.setListener(this);

    startUp();
}

MainWindow::~MainWindow() {
    serialPort_.setListener(nullptr);
}

void MainWindow::sendQueueDrained() {
    transmission_.sendQueueDrained();
}

void MainWindow::inputWaiting() {
    transmission_.inputWaiting();
}

void MainWindow::portLost(const std::string& reason) {
    port_.portLost(reason);
}

void MainWindow::portOpened() {
    port_.portOpened();
}

void MainWindow::openFailed(const std::string& reason) {
    port_.openFailed(reason);
}

void MainWindow::sendFailed(const SendFailure& failure) {
    transmission_.sendFailed(failure);
}
