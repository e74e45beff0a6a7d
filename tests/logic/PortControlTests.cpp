#include "tests/doubles/TestWindow.h"

#include <gtest/gtest.h>

namespace {
int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

int lineCount(const std::string& text) {
    return text.empty() ? 0 : occurrences(text, "\n") + 1;
}

struct PortControl : ::testing::Test {
    TestWindow t;
    MainWindow& window = t.start();

    void connect() {
        window.Command2.press();
        ASSERT_TRUE(t.port.isOpen());
    }
};
} // namespace

TEST_F(PortControl, ChoosingAPortWhileClosedRenumbersAndRemembersItOnly) {
    window.Combo2.choose(2);
    EXPECT_EQ(t.port.portNumber(), 3);
    EXPECT_EQ(t.settings.value("CommPort"), "3");
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_EQ(window.Shape8.fillColour(), colours::darkRed);
    EXPECT_EQ(window.Shape1.fillColour(), colours::darkGreen);
}

TEST_F(PortControl, ChoosingAPortWhileOpenReopensOnTheNewNumber) {
    connect();
    window.Combo2.choose(2);
    EXPECT_EQ(t.port.calls, (std::vector<std::string>{"open", "close", "setPortNumber 3", "open"}));
    EXPECT_TRUE(t.port.isOpen());
    EXPECT_EQ(window.Shape8.fillColour(), colours::red);
    EXPECT_NE(window.Text4.text().find("Com 3 open: /dev/ttyUSB0 (USB serial adapter), 9600,n,8,1"),
              std::string::npos)
        << window.Text4.text();
}

TEST_F(PortControl, APortThatFailsToReopenShowsClosedAndIsToldWithItsReason) {
    connect();
    t.port.openFailure = "Com 3 (/dev/ttyUSB0): Permission denied";
    window.Combo2.choose(2);
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_EQ(window.Shape8.fillColour(), colours::darkRed);
    EXPECT_NE(window.Text4.text().find("Com 3 (/dev/ttyUSB0): Permission denied"),
              std::string::npos);
}

TEST_F(PortControl, ARefusedPortNumberIsStillRememberedAndTold) {
    t.port.refusedNumbers.insert(7);
    window.Combo2.choose(6);
    EXPECT_EQ(t.port.portNumber(), 1);
    EXPECT_EQ(t.settings.value("CommPort"), "7");
    EXPECT_NE(window.Text4.text().find("no port 7"), std::string::npos);
}

TEST_F(PortControl, ARateIsAppliedInPlaceAndThePortsOwnReportIsRemembered) {
    connect();
    window.Combo3.choose(4);
    EXPECT_TRUE(t.port.isOpen());
    EXPECT_EQ(t.port.lineSettings(), "57600,n,8,1");
    EXPECT_EQ(t.settings.writes,
              (std::vector<MemorySettingsStore::Write>{{"settings", "57600,n,8,1"}}));
}

TEST_F(PortControl, ARefusedRateStoresNothingKeepsTheOldRateAndIsTold) {
    t.port.refusedSettings.insert("38400,N,8,1");
    window.Combo3.choose(3);
    EXPECT_EQ(t.port.lineSettings(), "9600,n,8,1");
    EXPECT_TRUE(t.settings.writes.empty());
    EXPECT_NE(window.Text4.text().find("38400"), std::string::npos);
}

TEST_F(PortControl, ConnectTogglesThePortAndTheLampFollowsIt) {
    window.Command2.press();
    EXPECT_TRUE(t.port.isOpen());
    EXPECT_EQ(window.Shape8.fillColour(), colours::red);
    EXPECT_EQ(window.Command2.backColour(), colours::red);
    window.Command2.press();
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_EQ(window.Shape8.fillColour(), colours::darkRed);
    EXPECT_EQ(window.Command2.backColour(), colours::red);
}

TEST_F(PortControl, ConnectSaysWhatItOpenedAndThatItClosedEachReportAddingOneLine) {
    t.port.deviceFound = "/dev/ttyUSB0 (FT232R USB UART, FTDI, A50285BI)";
    window.Combo3.choose(2);
    window.Command2.press();
    const std::string opened = window.Text4.text();
    EXPECT_NE(opened.find(" Com 1 open: /dev/ttyUSB0 (FT232R USB UART, FTDI, A50285BI), "
                          "19200,n,8,1"),
              std::string::npos)
        << opened;
    window.Command2.press();
    EXPECT_EQ(window.Text4.text().rfind(opened + "\n", 0), 0u) << window.Text4.text();
    EXPECT_EQ(occurrences(window.Text4.text(), " Com 1 closed"), 1);

    // Past the bound the oldest line goes, so the box always holds the newest reports.
    for (int press = 0; press < MainWindow::noticeLineLimit; ++press) {
        const std::string before = window.Text4.text();
        window.Command2.press();
        const std::string& after = window.Text4.text();
        const bool full = lineCount(before) == MainWindow::noticeLineLimit;
        const std::string kept = full ? before.substr(before.find('\n') + 1) : before;
        ASSERT_EQ(after.rfind(kept + "\n", 0), 0u) << "press " << press;
        ASSERT_EQ(lineCount(after), full ? lineCount(before) : lineCount(before) + 1);
    }
    EXPECT_EQ(lineCount(window.Text4.text()), MainWindow::noticeLineLimit);
}

TEST_F(PortControl, AConnectThatCannotOpenLeavesTheLampDarkAndSaysWhy) {
    t.port.openFailure = "Com 1 (/dev/ttyS0): Device or resource busy";
    window.Command2.press();
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_EQ(window.Shape8.fillColour(), colours::darkRed);
    EXPECT_EQ(window.Command2.backColour(), colours::activeBorder);
    EXPECT_EQ(occurrences(window.Text4.text(), "Device or resource busy"), 1);
}

TEST_F(PortControl, ASendEventFlashesTheSendLampUntilTheNextLampTick) {
    t.port.postEvent(SerialPort::sendEvent);
    t.loop.runWaiting();
    EXPECT_EQ(window.Shape1.fillColour(), colours::green);
    EXPECT_TRUE(window.Timer2.isEnabled());

    t.port.postEvent(SerialPort::sendEvent);
    t.loop.runWaiting();
    EXPECT_EQ(window.Shape1.fillColour(), colours::green);

    window.Timer2.tick();
    EXPECT_EQ(window.Shape1.fillColour(), colours::darkGreen);
    EXPECT_FALSE(window.Timer2.isEnabled());
}

TEST_F(PortControl, AReceiveEventReplacesTheInputBufferAndOtherEventsChangeNothing) {
    t.port.arrive("12345");
    t.loop.runWaiting();
    EXPECT_EQ(window.rxBuffer, "12345");
    EXPECT_EQ(t.port.waitingInput(), "");
    t.port.arrive("ab");
    t.loop.runWaiting();
    EXPECT_EQ(window.rxBuffer, "ab");

    t.port.postEvent(3);
    t.loop.runWaiting();
    EXPECT_EQ(window.rxBuffer, "ab");
    EXPECT_EQ(window.Shape1.fillColour(), colours::darkGreen);
    EXPECT_FALSE(window.Timer2.isEnabled());
}

TEST_F(PortControl, ALostPortDarkensItsLampAndIsToldOnce) {
    connect();
    t.port.loseConnection("the device was removed");
    t.loop.runWaiting();
    EXPECT_EQ(window.Shape8.fillColour(), colours::darkRed);
    EXPECT_EQ(occurrences(window.Text4.text(), "the device was removed"), 1);
    window.Command2.press();
    EXPECT_TRUE(t.port.isOpen());
    EXPECT_EQ(window.Shape8.fillColour(), colours::red);
}
