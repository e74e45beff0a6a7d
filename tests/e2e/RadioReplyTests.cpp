// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "tests/e2e/UserSteps.h"

namespace {
// Connected on Com 3 with a sample chosen, so that Update sends and Auto resends.
struct ConnectedWindow : LiveWindow {
    ConnectedWindow() {
        user::choose(*this, "Combo2", "Com 3");
        user::press(*this, "Command2");
        EXPECT_TRUE(port->isOpen()) << window->noticeBox.text();
        user::choose(*this, "Combo1", "Ombrel");
    }

    const std::string& notices() const { return window->noticeBox.text(); }
    int reportsQuoting(const std::string& reply) const {
        return occurrences(notices(), "answered \"" + reply + "\"");
    }
    // What the program read last, once it has read the whole of what the radio sent.
    bool reads(const std::string& input) {
        return user::waitFor([&] { return window->transmission().lastReceived() == input; });
    }
};
} // namespace

TEST(RadioReplies, ARefusalDuringTheResendIsToldOnceAndAgainAfterTheNextPress) {
    ConnectedWindow live;
    live.radio.answerEveryCommandWith("?;");
    user::press(live, "Command6");
    ASSERT_TRUE(user::waitFor([&] { return live.reportsQuoting("?;") == 1; }));
    QTest::qWait(3000);
    EXPECT_GE(live.radio.commands().size(), 10u) << "the resend did not run";
    EXPECT_EQ(live.reportsQuoting("?;"), 1) << live.notices();

    user::press(live, "Command6");
    ASSERT_TRUE(user::waitFor([&] { return live.reportsQuoting("?;") == 2; }));
    QTest::qWait(1000);
    EXPECT_EQ(live.reportsQuoting("?;"), 2) << live.notices();
    EXPECT_EQ(live.window->transmission().lastReceived().find_first_not_of("?;"), std::string::npos)
        << live.window->transmission().lastReceived();
}

TEST(RadioReplies, GarbledAndOverflowHaveTheirOwnReportsAndStatusRepliesNone) {
    ConnectedWindow live;
    live.radio.answerEveryCommandWith("E;");
    user::press(live, "Command6");
    ASSERT_TRUE(user::waitFor([&] { return live.reportsQuoting("E;") == 1; }));
    EXPECT_NE(live.notices().find("rate"), std::string::npos) << live.notices();

    live.radio.answerEveryCommandWith("o;");
    ASSERT_TRUE(user::waitFor([&] { return live.reportsQuoting("o;") == 1; }));
    EXPECT_NE(live.notices().find("less often"), std::string::npos) << live.notices();

    live.radio.answerEveryCommandWith("FA00014250000;");
    user::press(live, "Command6");
    const std::string before = live.notices();
    ASSERT_TRUE(user::waitFor([&] {
        return live.window->transmission().lastReceived().find("FA00014250000;") !=
               std::string::npos;
    }));
    QTest::qWait(1200);
    EXPECT_EQ(live.notices(), before);
}

TEST(RadioReplies, ASplitReplyAndOneAfterLongNoiseAreEachRecognisedOnce) {
    ConnectedWindow live;
    user::press(live, "Command6");
    QTest::mouseClick(live.widget("Check1"), Qt::LeftButton);

    ASSERT_TRUE(live.radio.send("?"));
    ASSERT_TRUE(live.reads("?"));
    EXPECT_EQ(live.reportsQuoting("?;"), 0);
    ASSERT_TRUE(live.radio.send(";"));
    ASSERT_TRUE(live.reads(";"));
    EXPECT_TRUE(user::waitFor([&] { return live.reportsQuoting("?;") == 1; })) << live.notices();

    user::press(live, "Command6");
    const std::string noise(5000, 'x');
    ASSERT_TRUE(live.radio.send(noise));
    ASSERT_TRUE(
        user::waitFor([&] { return live.window->transmission().lastReceived().back() == 'x'; }));
    QTest::qWait(200);
    ASSERT_TRUE(live.radio.send("?;"));
    ASSERT_TRUE(live.reads("?;"));
    EXPECT_TRUE(user::waitFor([&] { return live.reportsQuoting("?;") == 2; })) << live.notices();
}
