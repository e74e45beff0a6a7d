// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "tests/doubles/TestWindow.h"

#include <gtest/gtest.h>

namespace {
const std::string zeros(128, '0');

std::vector<std::string> lineSelectorTexts(const MainWindow& window) {
    std::vector<std::string> texts;
    for (const auto& item : window.lineSelector.items()) {
        texts.push_back(item.text);
    }
    return texts;
}

void expectCompleteStartUp(const MainWindow& window) {
    ASSERT_EQ(window.lineSelector.listCount(), 16);
    for (int entry = 0; entry < 16; ++entry) {
        EXPECT_EQ(window.lineSelector.itemData(entry), entry + 1);
    }
    EXPECT_EQ(lineSelectorTexts(window).front(), "01");
    EXPECT_EQ(lineSelectorTexts(window).back(), "16");
}
} // namespace

TEST(StartUp, AFirstStartShowsTheDesignedWindowWithSixteenLinesAndNoMessage) {
    TestWindow t;
    MainWindow& window = t.start();

    EXPECT_EQ(t.port.portNumber(), 1);
    EXPECT_EQ(t.port.lineSettings(), "9600,n,8,1");
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_EQ(window.portSelector.text(), "Com 1");
    EXPECT_EQ(window.rateSelector.text(), "9600");
    EXPECT_EQ(window.sampleSelector.text(), "Select Sample");
    EXPECT_EQ(window.sampleSelector.listIndex(), ComboBox::noSelection);
    EXPECT_EQ(window.sentenceBox.text(), "");
    EXPECT_EQ(window.digitStore.join(), "");
    EXPECT_EQ(window.noticeBox.text(), "");
    EXPECT_EQ(window.portLamp.fillColour(), colours::darkRed);
    EXPECT_EQ(window.sendLamp.fillColour(), colours::darkGreen);
    EXPECT_TRUE(window.autoResend.isTicked());
    EXPECT_FALSE(window.resendTimer.isEnabled());
    EXPECT_FALSE(window.sendLampTimer.isEnabled());
    expectCompleteStartUp(window);
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_TRUE(t.settings.writes.empty());
    EXPECT_EQ(t.settings.reads, (std::vector<std::string>{"CommPort", "Settings", "Bytes", "Msg"}));
}

TEST(StartUp, EachStoredValueIsBroughtBackWithoutRunningAHandlerOrWritingASetting) {
    TestWindow t;
    t.settings.store("CommPort", "3");
    t.settings.store("settings", "19200,n,8,1");
    t.settings.store("Bytes", "OFF");
    t.settings.store("Msg", zeros);
    MainWindow& window = t.start();

    EXPECT_EQ(t.port.portNumber(), 3);
    EXPECT_EQ(window.portSelector.text(), "Com 3");
    EXPECT_EQ(t.port.lineSettings(), "19200,n,8,1");
    EXPECT_EQ(window.rateSelector.text(), "19200");
    EXPECT_EQ(window.sampleSelector.text(), "OFF");
    EXPECT_EQ(window.sampleSelector.listIndex(), ComboBox::noSelection);
    EXPECT_EQ(window.sentenceBox.text(), zeros);
    for (int p = 0; p < HexDigits::cellCount; ++p) {
        EXPECT_EQ(window.digitStore.cell(p), "0");
    }
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_TRUE(t.settings.writes.empty());
    EXPECT_TRUE(t.messages.shown.empty());
    expectCompleteStartUp(window);
}

TEST(StartUp, AShortStoredSentenceLeavesTheLaterCellsEmpty) {
    TestWindow t;
    t.settings.store("Msg", std::string(100, 'A'));
    MainWindow& window = t.start();
    EXPECT_EQ(window.sentenceBox.text(), std::string(100, 'A'));
    EXPECT_EQ(window.digitStore.cell(99), "A");
    EXPECT_EQ(window.digitStore.cell(100), "");
    EXPECT_EQ(window.digitStore.cell(127), "");
}

TEST(StartUp, RefusedLineSettingsShowOneWarningAndTheRestIsBroughtBack) {
    TestWindow t;
    t.settings.store("CommPort", "2");
    t.settings.store("Settings", "19200,n,8,1");
    t.settings.store("Bytes", "OFF");
    t.settings.store("Msg", zeros);
    t.port.refusedSettings.insert("19200,n,8,1");
    MainWindow& window = t.start();

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].caption, "Sonavel");
    EXPECT_EQ(t.messages.shown[0].text, "the device refused 19200,n,8,1");
    EXPECT_EQ(t.port.portNumber(), 2);
    EXPECT_EQ(window.portSelector.text(), "Com 2");
    EXPECT_EQ(t.port.lineSettings(), "9600,n,8,1");
    EXPECT_EQ(window.rateSelector.text(), "9600");
    EXPECT_EQ(window.sampleSelector.text(), "OFF");
    EXPECT_EQ(window.sentenceBox.text(), zeros);
    EXPECT_EQ(window.digitStore.join(), zeros);
    expectCompleteStartUp(window);
    EXPECT_EQ(window.noticeBox.text(), "");
    EXPECT_EQ(t.settings.reads, (std::vector<std::string>{"CommPort", "Settings", "Bytes", "Msg"}));
}

TEST(StartUp, ABadStoredPortNumberIsToldOnlyWhenLineSettingsAreStoredToo) {
    {
        TestWindow t;
        t.settings.store("CommPort", "x");
        MainWindow& window = t.start();
        EXPECT_TRUE(t.messages.shown.empty());
        EXPECT_EQ(t.port.portNumber(), 1);
        EXPECT_EQ(window.portSelector.text(), "Com x");
        expectCompleteStartUp(window);
    }
    {
        TestWindow t;
        t.settings.store("CommPort", "x");
        t.settings.store("Settings", "19200,n,8,1");
        MainWindow& window = t.start();
        ASSERT_EQ(t.messages.shown.size(), 1u);
        EXPECT_EQ(t.messages.shown[0].text, "Port number \"x\" is not a number");
        EXPECT_EQ(window.portSelector.text(), "Com x");
        expectCompleteStartUp(window);
    }
    {
        TestWindow t;
        t.settings.store("CommPort", "9");
        t.settings.store("Settings", "4800,n,8,1");
        t.port.refusedNumbers.insert(9);
        t.start();
        ASSERT_EQ(t.messages.shown.size(), 1u);
        EXPECT_EQ(t.messages.shown[0].text, "no port 9");
        EXPECT_EQ(t.port.portNumber(), 1);
    }
}

TEST(StartUp, StoredPortNumbersAreReadAsRoundedDecimalNumbers) {
    struct Case {
        std::string stored;
        int number;
    };
    for (const auto& [stored, number] : std::vector<Case>{
             {" 4 ", 4}, {"+5", 5}, {"2.5", 2}, {"3.5", 4}, {"6e0", 6}, {"0.7e1", 7}}) {
        TestWindow t;
        t.settings.store("CommPort", stored);
        MainWindow& window = t.start();
        EXPECT_EQ(t.port.portNumber(), number) << stored;
        EXPECT_EQ(window.portSelector.text(), "Com " + stored);
    }
}

TEST(Exit, TheButtonAndTheMenuEndTheProgramWithoutWritingAnySetting) {
    for (bool fromMenu : {false, true}) {
        TestWindow t;
        MainWindow& window = t.start();
        if (fromMenu) {
            EXPECT_THROW(window.exitMenuItem.choose(), ProgramEnded);
        } else {
            EXPECT_THROW(window.exitButton.press(), ProgramEnded);
        }
        EXPECT_TRUE(t.settings.writes.empty());
        EXPECT_EQ(t.port.calls, std::vector<std::string>{});
    }
}
