// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "tests/doubles/TestWindow.h"
#include "tests/support/TextCounts.h"

#include <gtest/gtest.h>

namespace {

struct ThePort : ::testing::Test {
    TestWindow t;
    MainWindow& window = t.start();

    void connect() {
        window.connectButton.press();
        ASSERT_TRUE(t.port.isOpen());
    }
};
} // namespace

TEST_F(ThePort, ChoosingAPortWhileClosedRenumbersAndRemembersItOnly) {
    window.portSelector.choose(2);
    EXPECT_EQ(t.port.portNumber(), 3);
    EXPECT_EQ(t.settings.value("CommPort"), "3");
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_EQ(window.portLamp.fillColour(), colours::darkRed);
    EXPECT_EQ(window.sendLamp.fillColour(), colours::darkGreen);
}

TEST_F(ThePort, ChoosingAPortWhileOpenReopensOnTheNewNumber) {
    connect();
    window.portSelector.choose(2);
    EXPECT_EQ(t.port.calls, (std::vector<std::string>{"open", "close", "setPortNumber 3", "open"}));
    EXPECT_TRUE(t.port.isOpen());
    EXPECT_EQ(window.portLamp.fillColour(), colours::red);
    EXPECT_NE(
        window.noticeBox.text().find("Com 3 open: /dev/ttyUSB0 (USB serial adapter), 9600,n,8,1"),
        std::string::npos)
        << window.noticeBox.text();
}

TEST_F(ThePort, APortThatFailsToReopenShowsClosedAndIsToldWithItsReason) {
    connect();
    t.port.openFailure = "Com 3 (/dev/ttyUSB0): Permission denied";
    window.portSelector.choose(2);
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_EQ(window.portLamp.fillColour(), colours::darkRed);
    EXPECT_NE(window.noticeBox.text().find("Com 3 (/dev/ttyUSB0): Permission denied"),
              std::string::npos);
}

TEST_F(ThePort, ARefusedPortNumberIsStillRememberedAndTold) {
    t.port.refusedNumbers.insert(7);
    window.portSelector.choose(6);
    EXPECT_EQ(t.port.portNumber(), 1);
    EXPECT_EQ(t.settings.value("CommPort"), "7");
    EXPECT_NE(window.noticeBox.text().find("no port 7"), std::string::npos);
}

TEST_F(ThePort, ARateIsAppliedInPlaceAndThePortsOwnReportIsRemembered) {
    connect();
    window.rateSelector.choose(4);
    EXPECT_TRUE(t.port.isOpen());
    EXPECT_EQ(t.port.lineSettings(), "57600,n,8,1");
    // The radio's manual asks for two stop bits at 4800 baud.
    window.rateSelector.choose(0);
    EXPECT_EQ(t.port.lineSettings(), "4800,n,8,2");
    EXPECT_EQ(t.settings.writes, (std::vector<MemorySettingsStore::Write>{
                                     {"settings", "57600,n,8,1"}, {"settings", "4800,n,8,2"}}));
}

TEST_F(ThePort, ARefusedRateStoresNothingKeepsTheOldRateAndIsTold) {
    t.port.refusedSettings.insert("38400,N,8,1");
    window.rateSelector.choose(3);
    EXPECT_EQ(t.port.lineSettings(), "9600,n,8,1");
    EXPECT_TRUE(t.settings.writes.empty());
    EXPECT_NE(window.noticeBox.text().find("38400"), std::string::npos);
}

TEST_F(ThePort, ConnectTogglesThePortAndTheLampFollowsIt) {
    window.connectButton.press();
    EXPECT_TRUE(t.port.isOpen());
    EXPECT_EQ(window.portLamp.fillColour(), colours::red);
    window.connectButton.press();
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_EQ(window.portLamp.fillColour(), colours::darkRed);
}

TEST_F(ThePort, ConnectSaysWhatItOpenedAndThatItClosedEachReportAddingOneLine) {
    t.port.deviceFound = "/dev/ttyUSB0 (FT232R USB UART, FTDI, A50285BI)";
    window.rateSelector.choose(2);
    window.connectButton.press();
    const std::string opened = window.noticeBox.text();
    EXPECT_NE(opened.find(" Com 1 open: /dev/ttyUSB0 (FT232R USB UART, FTDI, A50285BI), "
                          "19200,n,8,1"),
              std::string::npos)
        << opened;
    window.connectButton.press();
    EXPECT_EQ(window.noticeBox.text().rfind(opened + "\n", 0), 0u) << window.noticeBox.text();
    EXPECT_EQ(occurrences(window.noticeBox.text(), " Com 1 closed"), 1);

    // Past the bound the oldest line goes, so the box always holds the newest reports.
    for (int press = 0; press < NoticeBox::lineLimit; ++press) {
        const std::string before = window.noticeBox.text();
        window.connectButton.press();
        const std::string& after = window.noticeBox.text();
        const bool full = lineCount(before) == NoticeBox::lineLimit;
        const std::string kept = full ? before.substr(before.find('\n') + 1) : before;
        ASSERT_EQ(after.rfind(kept + "\n", 0), 0u) << "press " << press;
        ASSERT_EQ(lineCount(after), full ? lineCount(before) : lineCount(before) + 1);
    }
    EXPECT_EQ(lineCount(window.noticeBox.text()), NoticeBox::lineLimit);
}

TEST_F(ThePort, AConnectThatCannotOpenLeavesTheLampDarkAndSaysWhy) {
    t.port.openFailure = "Com 1 (/dev/ttyS0): Device or resource busy";
    window.connectButton.press();
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_EQ(window.portLamp.fillColour(), colours::darkRed);
    EXPECT_EQ(occurrences(window.noticeBox.text(), "Device or resource busy"), 1);
}

// rigctld answers Connect later: the lamp waits for the answer, and a second press gives up.
TEST_F(ThePort, AnOpenUnderWayLightsTheLampOnlyOnceOpenAndConnectAgainGivesItUp) {
    t.port.opensLater = true;
    window.connectButton.press();
    EXPECT_TRUE(t.port.isOpening());
    EXPECT_EQ(window.portLamp.fillColour(), colours::darkRed);
    window.updateButton.press();
    EXPECT_EQ(occurrences(window.noticeBox.text(), "Nothing was sent: the port is still opening"),
              1);
    t.port.finishOpening();
    t.loop.settle();
    EXPECT_EQ(window.portLamp.fillColour(), colours::red);
    EXPECT_EQ(occurrences(window.noticeBox.text(), "Com 1 open: /dev/ttyUSB0"), 1);

    window.connectButton.press();
    window.connectButton.press();
    window.connectButton.press();
    t.port.finishOpening();
    t.loop.settle();
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_FALSE(t.port.isOpening());
    EXPECT_EQ(window.portLamp.fillColour(), colours::darkRed);
    EXPECT_EQ(occurrences(window.noticeBox.text(), "Com 1 was not opened: Connect was pressed"), 1);

    window.connectButton.press();
    t.port.finishOpening("Com 1: rigctld at localhost:4532 closed the connection");
    t.loop.settle();
    EXPECT_EQ(window.portLamp.fillColour(), colours::darkRed);
    EXPECT_EQ(occurrences(window.noticeBox.text(), "The port could not be opened: Com 1: rigctld "
                                                   "at localhost:4532 closed the connection"),
              1);
    EXPECT_EQ(occurrences(window.noticeBox.text(), "Com 1 open:"), 1);
}

TEST_F(ThePort, ASendEventFlashesTheSendLampUntilTheNextLampTick) {
    t.port.postDrained();
    t.loop.runWaiting();
    EXPECT_EQ(window.sendLamp.fillColour(), colours::green);
    EXPECT_TRUE(window.sendLampTimer.isEnabled());

    t.port.postDrained();
    t.loop.runWaiting();
    EXPECT_EQ(window.sendLamp.fillColour(), colours::green);

    window.sendLampTimer.tick();
    EXPECT_EQ(window.sendLamp.fillColour(), colours::darkGreen);
    EXPECT_FALSE(window.sendLampTimer.isEnabled());
}

TEST_F(ThePort, WaitingInputReplacesTheInputBufferAndLeavesTheSendLampAlone) {
    t.port.arrive("12345");
    t.loop.runWaiting();
    EXPECT_EQ(window.transmission().lastReceived(), "12345");
    EXPECT_EQ(t.port.waitingInput(), "");
    t.port.arrive("ab");
    t.loop.runWaiting();
    EXPECT_EQ(window.transmission().lastReceived(), "ab");
    EXPECT_EQ(window.sendLamp.fillColour(), colours::darkGreen);
    EXPECT_FALSE(window.sendLampTimer.isEnabled());
}

TEST_F(ThePort, ALostPortDarkensItsLampAndIsToldOnce) {
    connect();
    t.port.loseConnection("the device was removed");
    t.loop.runWaiting();
    EXPECT_EQ(window.portLamp.fillColour(), colours::darkRed);
    EXPECT_EQ(occurrences(window.noticeBox.text(), "the device was removed"), 1);
    window.connectButton.press();
    EXPECT_TRUE(t.port.isOpen());
    EXPECT_EQ(window.portLamp.fillColour(), colours::red);
}
