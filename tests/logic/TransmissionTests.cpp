// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "sentence/Samples.h"
#include "tests/doubles/TestWindow.h"
#include "tests/support/TextCounts.h"

#include <gtest/gtest.h>

namespace {

struct Sending : ::testing::Test {
    TestWindow t;
    MainWindow& window = t.start();
    const std::string gold{samples::table[5].sentence};
    const std::string pro{samples::table[3].sentence};

    void SetUp() override {
        window.sampleSelector.choose(5);
        window.connectButton.press();
    }
    void editCell(int line, int column, const std::string& text) {
        window.lineSelector.choose(line - 1);
        window.digitCells[column].type(text);
        window.acceptButton.press();
    }
    std::vector<std::string> commandsFor(const std::string& sentence, int updates = 1) const {
        std::vector<std::string> commands;
        for (int i = 0; i < updates; ++i) {
            commands.push_back("UR" + sentence + ";");
            commands.push_back("UT" + sentence + ";");
        }
        return commands;
    }
};
} // namespace

TEST_F(Sending, AnUpdateWritesTheTwoCommandsAfterAYieldAndShowsWhatWasSent) {
    editCell(2, 0, "A");
    const std::string edited = gold.substr(0, 8) + "A" + gold.substr(9);
    EXPECT_EQ(window.sentenceBox.text(), gold);

    window.updateButton.press();
    EXPECT_EQ(t.loop.yieldCount(), 1);
    EXPECT_EQ(t.port.written, commandsFor(edited));
    EXPECT_EQ(t.port.allWritten().size(), 262u);
    EXPECT_EQ(window.transmission().lastSentence(), edited);
    EXPECT_EQ(window.sentenceBox.text(), edited);
    EXPECT_TRUE(window.resendTimer.isEnabled());
}

TEST_F(Sending, WithThePortClosedAnUpdateOnlyJoinsTheStore) {
    window.connectButton.press();
    editCell(1, 0, "B");
    window.updateButton.press();
    EXPECT_TRUE(t.port.written.empty());
    EXPECT_EQ(t.loop.yieldCount(), 0);
    EXPECT_EQ(window.transmission().lastSentence(), "B" + gold.substr(1));
    EXPECT_EQ(window.sentenceBox.text(), gold);
    EXPECT_FALSE(window.resendTimer.isEnabled());
    window.updateButton.press();
    EXPECT_EQ(occurrences(window.noticeBox.text(), "Nothing was sent: the port is closed"), 2)
        << "once for each press";
}

// The store goes out as it stands; what in it the radio will not take is told once a press, with
// where it is, and never by the resend. A sound sentence is confirmed without a notice line; an
// empty one is never sent, since "UR;" would ask the radio for its equaliser.
namespace {
struct StoreAtUpdate {
    std::string name;
    std::function<void(Sending&)> edit;
    std::string said; // empty: sound, announced
    bool sent = true;
};

void PrintTo(const StoreAtUpdate& test, std::ostream* out) {
    *out << test.name;
}

struct SendingStore : Sending, ::testing::WithParamInterface<StoreAtUpdate> {};
} // namespace

TEST_P(SendingStore, SendsItUnchangedAndTellsWhatIsNotOneHundredTwentyEightHexDigits) {
    const StoreAtUpdate& test = GetParam();
    test.edit(*this);
    std::vector<std::string> announced;
    window.noticeBox.onAnnounce = [&](const std::string& news) { announced.push_back(news); };
    window.noticeBox.setText("");
    t.port.written.clear();
    window.updateButton.press();
    window.resendTimer.tick();
    window.updateButton.press();

    const std::string sentence = window.digitStore.join();
    EXPECT_EQ(t.port.written, test.sent ? commandsFor(sentence, 3) : commandsFor("", 0));
    if (test.said.empty()) {
        EXPECT_EQ(window.noticeBox.text(), "");
        EXPECT_EQ(announced, std::vector<std::string>(2, "Sent to the radio"));
        return;
    }
    const std::string told =
        test.sent
            ? "Sent as it stands, but the radio expects 128 hexadecimal digits, 0 to 9 and A to F: " +
                  test.said + ". Correct it in the line editor"
            : test.said;
    EXPECT_EQ(occurrences(window.noticeBox.text(), told), 2) << window.noticeBox.text();
    EXPECT_EQ(lineCount(window.noticeBox.text()), 2) << window.noticeBox.text();
    EXPECT_TRUE(announced.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Edits, SendingStore,
    ::testing::Values(
        StoreAtUpdate{"Sound", [](Sending& s) { s.editCell(16, 7, "A"); }, ""},
        StoreAtUpdate{"Empty", [](Sending& s) { s.window.digitStore.split(""); },
                      "Nothing was sent: the sentence is empty", false},
        StoreAtUpdate{"CellEmptied", [](Sending& s) { s.editCell(1, 0, ""); },
                      "the sentence has 127 characters, not 128; line 01 holds 7"},
        StoreAtUpdate{"Lowercase", [](Sending& s) { s.editCell(16, 7, "a"); },
                      "'a' at line 16, digit 8 is not an uppercase hexadecimal digit (0 to 9, A "
                      "to F)"},
        StoreAtUpdate{"TwoInACell", [](Sending& s) { s.editCell(5, 2, "12"); },
                      "the sentence has 129 characters, not 128; line 05 holds 9"},
        StoreAtUpdate{"NotHex", [](Sending& s) { s.editCell(5, 2, "g"); },
                      "'g' at line 05, digit 3 is not an uppercase hexadecimal digit (0 to 9, A "
                      "to F)"},
        StoreAtUpdate{"SeveralFaults",
                      [](Sending& s) {
                          s.editCell(2, 0, "");
                          s.editCell(9, 1, "x--");
                      },
                      "the sentence has 129 characters, not 128; line 02 holds 7, line 09 holds "
                      "10; 'x' at line 09, digit 2 is not an uppercase hexadecimal digit (0 to "
                      "9, A to F), nor are 2 more characters"}),
    [](const ::testing::TestParamInfo<StoreAtUpdate>& info) { return info.param.name; });

TEST_F(Sending, ASentenceThatCouldCarryAnotherCommandIsNeverSentAndIsTold) {
    for (const std::string& unsafe : {std::string(";"), std::string("\r"), std::string("\xE9")}) {
        window.sampleSelector.choose(5);
        window.resendTimer.setEnabled(false);
        const std::string textBefore = window.sentenceBox.text();
        editCell(3, 2, unsafe);
        window.updateButton.press();
        EXPECT_TRUE(t.port.written.empty()) << static_cast<int>(unsafe[0]);
        EXPECT_EQ(window.sentenceBox.text(), textBefore);
        EXPECT_FALSE(window.resendTimer.isEnabled());
        EXPECT_NE(window.noticeBox.text().find("at position 18"), std::string::npos);
    }
    EXPECT_EQ(occurrences(window.noticeBox.text(), "was not sent"), 3);
}

TEST_F(Sending, TheResendRepeatsUntilOneTickAfterAutoIsUnticked) {
    window.updateButton.press();
    window.resendTimer.tick();
    window.resendTimer.tick();
    EXPECT_EQ(t.port.written, commandsFor(gold, 3));

    window.autoResend.setValue(CheckBox::unticked);
    window.resendTimer.tick();
    EXPECT_EQ(t.port.written.size(), 8u);
    EXPECT_FALSE(window.resendTimer.isEnabled());
    window.resendTimer.tick();
    EXPECT_EQ(t.port.written.size(), 8u);
}

TEST_F(Sending, TickingAutoWhileTheResendIsOffDoesNothingUntilUpdate) {
    window.autoResend.setValue(CheckBox::unticked);
    window.updateButton.press();
    EXPECT_FALSE(window.resendTimer.isEnabled());
    window.autoResend.setValue(CheckBox::ticked);
    EXPECT_FALSE(window.resendTimer.isEnabled());
    EXPECT_EQ(t.port.written.size(), 2u);
}

TEST_F(Sending, TheResendKeepsTickingWhileClosedAndResumesAfterConnect) {
    window.updateButton.press();
    window.connectButton.press();
    const std::string told = window.noticeBox.text();
    window.resendTimer.tick();
    window.resendTimer.tick();
    EXPECT_EQ(t.port.written.size(), 2u);
    EXPECT_TRUE(window.resendTimer.isEnabled());
    EXPECT_EQ(window.noticeBox.text(), told) << "the resend spoke while the port was closed";

    window.connectButton.press();
    window.resendTimer.tick();
    EXPECT_EQ(t.port.written, commandsFor(gold, 2));
}

TEST_F(Sending, ATickThatFindsTheLineBusyLeavesItQuietlyButAPressAlwaysSends) {
    window.updateButton.press();
    editCell(1, 0, "F");
    const std::string edited = "F" + gold.substr(1);
    const std::string notices = window.noticeBox.text();
    t.port.lineBusy = true;
    window.resendTimer.tick();
    window.resendTimer.tick();
    EXPECT_EQ(t.port.written, commandsFor(gold));
    EXPECT_EQ(window.sentenceBox.text(), gold);
    EXPECT_TRUE(window.resendTimer.isEnabled());
    EXPECT_EQ(window.noticeBox.text(), notices);

    window.updateButton.press();
    EXPECT_EQ(t.port.written.size(), 4u);
    EXPECT_EQ(window.sentenceBox.text(), edited);

    // Unticked while busy: the next tick sends nothing and stops the resend.
    window.autoResend.setValue(CheckBox::unticked);
    window.resendTimer.tick();
    EXPECT_FALSE(window.resendTimer.isEnabled());
    EXPECT_EQ(t.port.written.size(), 4u);
}

TEST_F(Sending, AnUpdateInsideTheYieldLeavesItsSentenceForTheOuterOne) {
    t.loop.post([&] {
        editCell(1, 0, "C");
        window.updateButton.press();
    });
    window.updateButton.press();
    const std::string inner = "C" + gold.substr(1);
    EXPECT_EQ(t.port.written, commandsFor(inner, 2));
    EXPECT_EQ(window.sentenceBox.text(), inner);
}

TEST_F(Sending, AConnectPressInsideTheYieldClosesThePortAndNothingGoesOut) {
    editCell(1, 0, "D");
    t.loop.post([&] { window.connectButton.press(); });
    window.updateButton.press();
    EXPECT_TRUE(t.port.written.empty());
    EXPECT_EQ(window.sentenceBox.text(), gold);
    EXPECT_FALSE(window.resendTimer.isEnabled());
    EXPECT_NE(window.noticeBox.text().find("could not be sent"), std::string::npos);
}

TEST_F(Sending, ARefusedSecondCommandLeavesOnlyTheFirstOutAndTheBoxAsItWas) {
    editCell(1, 0, "E");
    t.port.writeOutcomes = {true, false};
    window.updateButton.press();
    EXPECT_EQ(t.port.written, std::vector<std::string>{"UR" + ("E" + gold.substr(1)) + ";"});
    EXPECT_EQ(window.sentenceBox.text(), gold);
    EXPECT_FALSE(window.resendTimer.isEnabled());
    EXPECT_NE(window.noticeBox.text().find("sent only in part"), std::string::npos);
}

TEST_F(Sending, AFailureInsideATickLeavesTheResendRunningAndIsToldOnceWhileItLasts) {
    window.updateButton.press();
    t.port.writeOutcomes = {false, false, false};
    window.resendTimer.tick();
    window.resendTimer.tick();
    window.resendTimer.tick();
    EXPECT_TRUE(window.resendTimer.isEnabled());
    EXPECT_EQ(occurrences(window.noticeBox.text(), "the send queue is full"), 1);

    window.resendTimer.tick();
    EXPECT_EQ(t.port.written.size(), 4u);
    t.port.writeOutcomes = {false};
    window.resendTimer.tick();
    EXPECT_EQ(occurrences(window.noticeBox.text(), "the send queue is full"), 2);

    // Unticked, the next tick stops the resend even when its send fails.
    window.autoResend.setValue(CheckBox::unticked);
    t.port.writeOutcomes = {false};
    window.resendTimer.tick();
    EXPECT_FALSE(window.resendTimer.isEnabled());
}

TEST_F(Sending, WhatTheLinkCouldNotConfirmIsToldOnceUntilASendIsConfirmed) {
    window.updateButton.press();
    t.loop.settle();
    t.port.drainsAfterWrite = false;
    const SendFailure failure{"Com 1: rigctld at localhost:4532 cannot reach the radio"};
    t.port.failSend(failure);
    window.resendTimer.tick();
    t.port.failSend(failure);
    t.loop.settle();
    EXPECT_EQ(occurrences(window.noticeBox.text(), failure.reason), 1);
    t.port.postDrained();
    t.port.failSend(failure);
    t.loop.settle();
    EXPECT_EQ(occurrences(window.noticeBox.text(), failure.reason), 2)
        << "a send was confirmed between, so it is news again";
}

TEST_F(Sending, ATickYieldsBeforeItsUpdateAndTheUpdateYieldsAgain) {
    window.updateButton.press();
    const int before = t.loop.yieldCount();
    window.resendTimer.tick();
    EXPECT_EQ(t.loop.yieldCount(), before + 2);
}

TEST_F(Sending, ARadioThatCannotKeepUpIsToldOfOnceUntilItHasTakenEverything) {
    window.updateButton.press();
    t.port.drainsAfterWrite = false;
    // Room for one command now and then, never for both: the two failures alternate.
    t.port.writeOutcomes = {true, false, false, true, false, false, true, false};
    for (int tick = 0; tick < 6; ++tick) {
        window.resendTimer.tick();
    }
    EXPECT_EQ(occurrences(window.noticeBox.text(), "sent only in part"), 1);
    EXPECT_EQ(occurrences(window.noticeBox.text(), "could not be sent"), 1);

    t.port.postDrained();
    t.port.writeOutcomes = {false};
    window.resendTimer.tick();
    EXPECT_EQ(occurrences(window.noticeBox.text(), "could not be sent"), 2);
}
