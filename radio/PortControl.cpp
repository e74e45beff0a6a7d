#include "app/MainWindow.h"
#include "store/Properties.h"

namespace {
std::string portName(std::int16_t number) {
    return "Com " + std::to_string(number);
}

// Which device a number opened is decided only at the open, so the user is told each time.
std::string openedWords(const SerialPort& port) {
    return portName(port.portNumber()) + " open: " + port.device() + ", " + port.lineSettings();
}
} // namespace

void MainWindow::Combo2_Click() {
    const bool wasOpen = MSComm1.isOpen();
    if (MSComm1.isOpen()) {
        (void)MSComm1.setOpen(false);
    }
    const std::int32_t number = Combo2.itemData(Combo2.listIndex());
    if (const Result set = MSComm1.setPortNumber(static_cast<std::int16_t>(number)); !set) {
        report("The port could not be changed to " + portName(static_cast<std::int16_t>(number)) +
               ": " + set.reason());
    }
    if (const Result written =
            properties::write(settings_, properties::commPort, std::to_string(number));
        !written) {
        report("The port choice could not be remembered: " + written.reason());
    }
    if (wasOpen) {
        if (const Result opened = MSComm1.setOpen(true); !opened) {
            report("The port could not be opened: " + opened.reason());
        } else {
            report(openedWords(MSComm1));
        }
        // The lamp follows the port, so it never claims a port that failed to reopen.
        Shape8.setFillColour(MSComm1.isOpen() ? colours::red : colours::darkRed);
    }
}

void MainWindow::Combo3_Click() {
    const std::int32_t rate = Combo3.itemData(Combo3.listIndex());
    if (const Result set = MSComm1.setLineSettings(std::to_string(rate) + ",N,8,1"); !set) {
        report("The port refused the rate " + std::to_string(rate) + ": " + set.reason());
        return;
    }
    if (const Result written =
            properties::write(settings_, properties::settingsWritten, MSComm1.lineSettings());
        !written) {
        report("The rate is in use but could not be remembered: " + written.reason());
    }
}

void MainWindow::Command2_Click() {
    sendProblem_.clear();
    radioReplies_.startAfresh();
    const bool wasOpen = MSComm1.isOpen();
    if (const Result toggled = MSComm1.setOpen(!wasOpen); !toggled) {
        report("The port could not be opened: " + toggled.reason());
    }
    if (MSComm1.isOpen()) {
        Shape8.setFillColour(colours::red);
        Command2.setBackColour(colours::red);
        if (!wasOpen) {
            report(openedWords(MSComm1));
        }
    } else {
        Shape8.setFillColour(colours::darkRed);
        if (wasOpen) {
            report(portName(MSComm1.portNumber()) + " closed");
        }
    }
}

void MainWindow::MSComm1_OnComm(std::int16_t kind) {
    if (kind == SerialPort::sendEvent) {
        // The radio has taken everything sent, so a send that fails from now on is news.
        sendProblem_.clear();
        Shape1.setFillColour(colours::green);
        Timer2.setEnabled(true);
    } else if (kind == SerialPort::receiveEvent) {
        rxBuffer = MSComm1.readInput();
        for (const std::string& refusal : radioReplies_.receive(rxBuffer)) {
            report(refusal);
        }
    }
}

void MainWindow::portLost(const std::string& reason) {
    Shape8.setFillColour(colours::darkRed);
    report("The connection to the radio was lost: " + reason +
           ". Check the cable, then press Connect.");
}

void MainWindow::Timer2_Tick() {
    Shape1.setFillColour(colours::darkGreen);
    Timer2.setEnabled(false);
}
