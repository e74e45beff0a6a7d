// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "radio/RadioReplies.h"
#include "tests/doubles/TestWindow.h"
#include "tests/support/TextCounts.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct RadioReplyReports : ::testing::Test {
    TestWindow t;
    MainWindow& window = t.start();

    void SetUp() override {
        window.sampleSelector.choose(1);
        window.connectButton.press();
    }
    // The radio answers each of the two commands of every send.
    void radioAnswersEverySend(const std::string& reply, int ticks) {
        window.updateButton.press();
        for (int tick = 0; tick <= ticks; ++tick) {
            if (tick > 0) {
                window.resendTimer.tick();
            }
            t.port.arrive(reply + reply);
            t.loop.settle();
        }
    }
    int reports() const { return occurrences(window.noticeBox.text(), "The radio answered"); }
};
} // namespace

TEST_F(RadioReplyReports, ARefusalIsToldOncePerPressHoweverOftenTheResendDrawsIt) {
    radioAnswersEverySend("?;", 6);
    EXPECT_EQ(reports(), 1);
    EXPECT_EQ(occurrences(window.noticeBox.text(), "\"?;\""), 1);
    EXPECT_EQ(window.transmission().lastReceived(), "?;?;");

    radioAnswersEverySend("?;", 2);
    EXPECT_EQ(reports(), 2);
}

TEST_F(RadioReplyReports, EachKindOfRefusalHasItsOwnReportInEitherCase) {
    radioAnswersEverySend("E;", 2);
    t.port.arrive("o;");
    t.loop.settle();
    EXPECT_EQ(reports(), 2);
    EXPECT_NE(window.noticeBox.text().find("\"E;\": it saw a garbled command"), std::string::npos);
    EXPECT_NE(window.noticeBox.text().find("\"o;\": it could not keep up"), std::string::npos);

    window.connectButton.press();
    window.connectButton.press();
    t.port.arrive("e;");
    t.loop.settle();
    EXPECT_EQ(reports(), 3);
}

TEST_F(RadioReplyReports, StatusRepliesAndNoiseAreIgnoredButASplitRefusalIsRecognised) {
    radioAnswersEverySend("FA00014250000;", 2);
    EXPECT_EQ(reports(), 0);

    t.port.arrive("\r\n ?");
    t.loop.settle();
    t.port.arrive(";");
    t.loop.settle();
    EXPECT_EQ(reports(), 1);
    EXPECT_EQ(window.transmission().lastReceived(), ";");
}

TEST_F(RadioReplyReports, ALongRunWithoutTerminatorIsDroppedAndTheNextRefusalStillCounts) {
    t.port.arrive(std::string(5000, 'x'));
    t.loop.settle();
    EXPECT_EQ(reports(), 0);
    t.port.arrive("?;");
    t.loop.settle();
    EXPECT_EQ(reports(), 1);
    EXPECT_EQ(window.transmission().lastReceived(), "?;");
    EXPECT_TRUE(t.port.written.empty());
}

TEST(RadioReplyReader, NoiseNeverGrowsWhatTheReaderHolds) {
    ::RadioReplies reader(Audience::window);
    std::size_t most = 0;
    for (int i = 0; i < 5000; ++i) {
        EXPECT_TRUE(reader.receive("x").empty());
        most = std::max(most, reader.heldCharacters());
    }
    EXPECT_LT(most, ::RadioReplies::fragmentLimit);
    EXPECT_EQ(reader.receive("?;").size(), 1u);
    EXPECT_EQ(reader.heldCharacters(), 0u);
}
