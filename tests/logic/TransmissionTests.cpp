#include "sentence/Samples.h"
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

struct Transmission : ::testing::Test {
    TestWindow t;
    MainWindow& window = t.start();
    const std::string gold{samples::table[5].sentence};
    const std::string pro{samples::table[3].sentence};

    void SetUp() override {
        window.Combo1.choose(5);
        window.Command2.press();
    }
    void editCell(int line, int column, const std::string& text) {
        window.Combo4.choose(line - 1);
        window.Text2[column].type(text);
        window.Command3.press();
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

TEST_F(Transmission, AnUpdateWritesTheTwoCommandsAfterAYieldAndShowsWhatWasSent) {
    editCell(2, 0, "A");
    const std::string edited = gold.substr(0, 8) + "A" + gold.substr(9);
    EXPECT_EQ(window.Text1.text(), gold);

    window.Command6.press();
    EXPECT_EQ(t.loop.yieldCount(), 1);
    EXPECT_EQ(t.port.written, commandsFor(edited));
    EXPECT_EQ(t.port.allWritten().size(), 262u);
    EXPECT_EQ(window.txSentence, edited);
    EXPECT_EQ(window.Text1.text(), edited);
    EXPECT_TRUE(window.Timer1.isEnabled());
}

TEST_F(Transmission, WithThePortClosedAnUpdateOnlyJoinsTheStore) {
    window.Command2.press();
    editCell(1, 0, "B");
    window.Command6.press();
    EXPECT_TRUE(t.port.written.empty());
    EXPECT_EQ(t.loop.yieldCount(), 0);
    EXPECT_EQ(window.txSentence, "B" + gold.substr(1));
    EXPECT_EQ(window.Text1.text(), gold);
    EXPECT_FALSE(window.Timer1.isEnabled());
    window.Command6.press();
    EXPECT_EQ(occurrences(window.Text4.text(), "Nothing was sent: the port is closed"), 2)
        << "once for each press";
}

TEST_F(Transmission, TheCommandsCarryTheStoreAsItIsLongerShorterOrEmpty) {
    editCell(1, 0, "12");
    window.Command6.press();
    EXPECT_EQ(t.port.written[0].size(), 132u);
    EXPECT_EQ(window.Text1.text().size(), 129u);

    TestWindow empty;
    MainWindow& blank = empty.start();
    blank.Command2.press();
    blank.Command6.press();
    EXPECT_EQ(empty.port.written, (std::vector<std::string>{"UR;", "UT;"}));
    EXPECT_EQ(blank.Text1.text(), "");
}

TEST_F(Transmission, LowerCaseAndOddLengthSentencesAreSentUnchanged) {
    editCell(1, 0, "ab");
    window.Command6.press();
    EXPECT_EQ(t.port.written, commandsFor("ab" + gold.substr(1)));
}

TEST_F(Transmission, ASentenceThatCouldCarryAnotherCommandIsNeverSentAndIsTold) {
    for (const std::string& unsafe : {std::string(";"), std::string("\r"), std::string("\xE9")}) {
        window.Combo1.choose(5);
        window.Timer1.setEnabled(false);
        const std::string textBefore = window.Text1.text();
        editCell(3, 2, unsafe);
        window.Command6.press();
        EXPECT_TRUE(t.port.written.empty()) << static_cast<int>(unsafe[0]);
        EXPECT_EQ(window.Text1.text(), textBefore);
        EXPECT_FALSE(window.Timer1.isEnabled());
        EXPECT_NE(window.Text4.text().find("at position 18"), std::string::npos);
    }
    EXPECT_EQ(occurrences(window.Text4.text(), "was not sent"), 3);
}

TEST_F(Transmission, TheResendRepeatsUntilOneTickAfterAutoIsUnticked) {
    window.Command6.press();
    window.Timer1.tick();
    window.Timer1.tick();
    EXPECT_EQ(t.port.written, commandsFor(gold, 3));

    window.Check1.setValue(CheckBox::unticked);
    window.Timer1.tick();
    EXPECT_EQ(t.port.written.size(), 8u);
    EXPECT_FALSE(window.Timer1.isEnabled());
    window.Timer1.tick();
    EXPECT_EQ(t.port.written.size(), 8u);
}

TEST_F(Transmission, TickingAutoWhileTheResendIsOffDoesNothingUntilUpdate) {
    window.Check1.setValue(CheckBox::unticked);
    window.Command6.press();
    EXPECT_FALSE(window.Timer1.isEnabled());
    window.Check1.setValue(CheckBox::ticked);
    EXPECT_FALSE(window.Timer1.isEnabled());
    EXPECT_EQ(t.port.written.size(), 2u);
}

TEST_F(Transmission, TheResendKeepsTickingWhileClosedAndResumesAfterConnect) {
    window.Command6.press();
    window.Command2.press();
    const std::string told = window.Text4.text();
    window.Timer1.tick();
    window.Timer1.tick();
    EXPECT_EQ(t.port.written.size(), 2u);
    EXPECT_TRUE(window.Timer1.isEnabled());
    EXPECT_EQ(window.Text4.text(), told) << "the resend spoke while the port was closed";

    window.Command2.press();
    window.Timer1.tick();
    EXPECT_EQ(t.port.written, commandsFor(gold, 2));
}

TEST_F(Transmission, ATickThatFindsTheLineBusyLeavesItQuietlyButAPressAlwaysSends) {
    window.Command6.press();
    editCell(1, 0, "F");
    const std::string edited = "F" + gold.substr(1);
    const std::string notices = window.Text4.text();
    t.port.lineBusy = true;
    window.Timer1.tick();
    window.Timer1.tick();
    EXPECT_EQ(t.port.written, commandsFor(gold));
    EXPECT_EQ(window.Text1.text(), gold);
    EXPECT_TRUE(window.Timer1.isEnabled());
    EXPECT_EQ(window.Text4.text(), notices);

    window.Command6.press();
    EXPECT_EQ(t.port.written.size(), 4u);
    EXPECT_EQ(window.Text1.text(), edited);

    // Unticked while busy: the tick that finds the line free sends once more and stops.
    window.Check1.setValue(CheckBox::unticked);
    window.Timer1.tick();
    EXPECT_TRUE(window.Timer1.isEnabled());
    t.port.lineBusy = false;
    window.Timer1.tick();
    EXPECT_EQ(t.port.written.size(), 6u);
    EXPECT_FALSE(window.Timer1.isEnabled());
}

TEST_F(Transmission, AnUpdateInsideTheYieldLeavesItsSentenceForTheOuterOne) {
    t.loop.post([&] {
        editCell(1, 0, "C");
        window.Command6.press();
    });
    window.Command6.press();
    const std::string inner = "C" + gold.substr(1);
    EXPECT_EQ(t.port.written, commandsFor(inner, 2));
    EXPECT_EQ(window.Text1.text(), inner);
}

TEST_F(Transmission, AConnectPressInsideTheYieldClosesThePortAndNothingGoesOut) {
    editCell(1, 0, "D");
    t.loop.post([&] { window.Command2.press(); });
    window.Command6.press();
    EXPECT_TRUE(t.port.written.empty());
    EXPECT_EQ(window.Text1.text(), gold);
    EXPECT_FALSE(window.Timer1.isEnabled());
    EXPECT_NE(window.Text4.text().find("could not be sent"), std::string::npos);
}

TEST_F(Transmission, ARefusedSecondCommandLeavesOnlyTheFirstOutAndTheBoxAsItWas) {
    editCell(1, 0, "E");
    t.port.writeOutcomes = {true, false};
    window.Command6.press();
    EXPECT_EQ(t.port.written, std::vector<std::string>{"UR" + ("E" + gold.substr(1)) + ";"});
    EXPECT_EQ(window.Text1.text(), gold);
    EXPECT_FALSE(window.Timer1.isEnabled());
    EXPECT_NE(window.Text4.text().find("sent only in part"), std::string::npos);
}

TEST_F(Transmission, AFailureInsideATickLeavesTheResendRunningAndIsToldOnceWhileItLasts) {
    window.Command6.press();
    t.port.writeOutcomes = {false, false, false};
    window.Timer1.tick();
    window.Timer1.tick();
    window.Timer1.tick();
    EXPECT_TRUE(window.Timer1.isEnabled());
    EXPECT_EQ(occurrences(window.Text4.text(), "the send queue is full"), 1);

    window.Timer1.tick();
    EXPECT_EQ(t.port.written.size(), 4u);
    t.port.writeOutcomes = {false};
    window.Timer1.tick();
    EXPECT_EQ(occurrences(window.Text4.text(), "the send queue is full"), 2);
}

TEST_F(Transmission, ATickYieldsBeforeItsUpdateAndTheUpdateYieldsAgain) {
    window.Command6.press();
    const int before = t.loop.yieldCount();
    window.Timer1.tick();
    EXPECT_EQ(t.loop.yieldCount(), before + 2);
}

TEST_F(Transmission, ARadioThatCannotKeepUpIsToldOfOnceUntilItHasTakenEverything) {
    window.Command6.press();
    t.port.drainsAfterWrite = false;
    // Room for one command now and then, never for both: the two failures alternate.
    t.port.writeOutcomes = {true, false, false, true, false, false, true, false};
    for (int tick = 0; tick < 6; ++tick) {
        window.Timer1.tick();
    }
    EXPECT_EQ(occurrences(window.Text4.text(), "sent only in part"), 1);
    EXPECT_EQ(occurrences(window.Text4.text(), "could not be sent"), 1);

    t.port.postEvent(SerialPort::sendEvent);
    t.port.writeOutcomes = {false};
    window.Timer1.tick();
    EXPECT_EQ(occurrences(window.Text4.text(), "could not be sent"), 2);
}
