#include "app/MainWindow.h"

#include "radio/PortLabel.h"

namespace {
std::vector<ComboBox::Item> portItems() {
    std::vector<ComboBox::Item> items;
    for (int number = 1; number <= 8; ++number) {
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
      files_(sampleSelector, sentence_, platform.fileDialog, eventLoop_, noticeBox) {
    sampleSelector.onClick = [this] { samples_.sampleChosen(); };
    portSelector.onClick = [this] { port_.portChosen(); };
    rateSelector.onClick = [this] { port_.rateChosen(); };
    connectButton.onClick = [this] {
        transmission_.startAfresh();
        port_.connectPressed();
    };
    updateButton.onClick = [this] { transmission_.updatePressed(); };
    resendTimer.onTick = [this] { transmission_.resendTick(); };
    sendLampTimer.onTick = [this] { transmission_.sendLampTick(); };
    lineSelector.onClick = [this] { lineEditor_.lineChosen(); };
    acceptButton.onClick = [this] { lineEditor_.acceptPressed(); };
    openButton.onClick = [this] { files_.openPressed(); };
    saveButton.onClick = [this] { files_.savePressed(); };
    openMenuItem.onClick = [this] { files_.openPressed(); };
    saveMenuItem.onClick = [this] { files_.savePressed(); };
    // Exit may come from inside a yield; the program ends there, and nothing resumes.
    exitButton.onClick = [this] { eventLoop_.endProgram(); };
    exitMenuItem.onClick = [this] { eventLoop_.endProgram(); };
    serialPort_.setListener(this);

    startUp();
}

MainWindow::~MainWindow() {
    serialPort_.setListener(nullptr);
}

void MainWindow::portEvent(std::int16_t kind) {
    transmission_.portEvent(kind);
}

void MainWindow::portLost(const std::string& reason) {
    port_.portLost(reason);
}
