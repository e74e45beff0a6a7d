// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/LampWidget.h"
#include "sentence/Samples.h"
#include "tests/e2e/UserSteps.h"
#include "tests/support/ProcessFigures.h"

#include <QTextEdit>
#include <optional>

using namespace std::chrono_literals;

namespace {
QColor lamp(LiveWindow& live, const char* name) {
    return live.widget<LampWidget>(name)->fill();
}

std::string sentenceShown(LiveWindow& live) {
    return live.widget<QTextEdit>("Text1")->toPlainText().toStdString();
}

std::vector<SimulatedRadio::Command> startingWith(const std::vector<SimulatedRadio::Command>& all,
                                                  const std::string& prefix) {
    std::vector<SimulatedRadio::Command> chosen;
    for (const auto& command : all) {
        if (command.text.rfind(prefix, 0) == 0) {
            chosen.push_back(command);
        }
    }
    return chosen;
}

// Com 3 at the given rate, connected, as a user sets it up.
void connectAt(LiveWindow& live, const char* rate) {
    user::choose(live, "Combo2", "Com 3");
    user::choose(live, "Combo3", rate);
    user::press(live, "Command2");
    ASSERT_TRUE(live.port->isOpen()) << live.window->noticeBox.text();
    ASSERT_EQ(live.radio.baudRate(), QString(rate).toInt());
}
} // namespace

TEST(RadioLink, AUserConnectsEditsALineAndTheRadioHearsItOnceThenEvery500Milliseconds) {
    LiveWindow live;
    // No machine numbers eight serial devices, so Com 8 leads nowhere and the box says where
    // the radio's number leads.
    user::choose(live, "Combo2", "Com 8");
    user::press(live, "Command2");
    ASSERT_FALSE(live.port->isOpen()) << "this machine has a device for Com 8";
    EXPECT_NE(live.window->noticeBox.text().find("Com 3 is " + live.radio.slavePath()),
              std::string::npos)
        << live.window->noticeBox.text();

    ASSERT_NO_FATAL_FAILURE(connectAt(live, "19200"));
    EXPECT_EQ(lamp(live, "Shape8"), QColor(255, 0, 0));
    EXPECT_NE(live.window->noticeBox.text().find("Com 3 open: " + live.radio.slavePath() +
                                                 ", 19200,n,8,1"),
              std::string::npos)
        << live.window->noticeBox.text();

    user::choose(live, "Combo1", "Kestrum PRO");
    user::choose(live, "Combo4", "05");
    user::typeInto(live, "Text2(3)", "A");
    user::press(live, "Command3");
    user::press(live, "Command6");

    std::string edited(samples::table[3].sentence);
    edited[35] = 'A';
    // The port writes from the event loop, so the wait must keep it running.
    ASSERT_TRUE(user::waitFor([&] { return live.radio.commands().size() >= 2; }));
    EXPECT_EQ(live.radio.receivedText().substr(0, 262), "UR" + edited + ";UT" + edited + ";");
    // The box is drawn at screen rate, so it may show the sent sentence a frame later.
    EXPECT_TRUE(user::waitFor([&] { return sentenceShown(live) == edited; }))
        << sentenceShown(live);
    EXPECT_TRUE(user::waitFor([&] { return lamp(live, "Shape1") == QColor(0, 255, 0); }))
        << "the send lamp did not flash";
    EXPECT_TRUE(user::waitFor([&] { return lamp(live, "Shape1") == QColor(0, 128, 0); }));

    ASSERT_TRUE(std::filesystem::exists(live.link.settingsFile()));
    QtSettingsStore afterRestart;
    const auto stored = [&](const char* key) {
        return afterRestart.readSetting("Sonavel", "Properties", key, "");
    };
    EXPECT_EQ(stored("CommPort"), "3");
    EXPECT_EQ(stored("Settings"), "19200,n,8,1");
    EXPECT_EQ(stored("Bytes"), "Kestrum PRO");
    EXPECT_EQ(stored("Msg"), samples::table[3].sentence) << "an edit is not a sample choice";

    live.radio.clear();
    QTest::qWait(3000);
    const auto resent = startingWith(live.radio.commands(), "UR");
    EXPECT_GE(resent.size(), 5u);
    EXPECT_LE(resent.size(), 7u);
    for (std::size_t i = 1; i < resent.size(); ++i) {
        const auto spacing = resent[i].start - resent[i - 1].start;
        EXPECT_GE(spacing, 400ms) << "send " << i;
        EXPECT_LE(spacing, 650ms) << "send " << i;
    }
    for (const auto& command : live.radio.commands()) {
        EXPECT_TRUE(command.text == "UR" + edited + ";" || command.text == "UT" + edited + ";")
            << command.text;
    }

    QTest::mouseClick(live.widget("Check1"), Qt::LeftButton);
    ASSERT_FALSE(live.window->autoResend.isTicked());
    const std::size_t atUntick = startingWith(live.radio.commands(), "UR").size();
    QTest::qWait(1500);
    EXPECT_EQ(startingWith(live.radio.commands(), "UR").size(), atUntick + 1)
        << "exactly one more send after Auto is unticked";
    EXPECT_FALSE(live.window->resendTimer.isEnabled());

    live.radio.hangUp();
    ASSERT_TRUE(user::waitFor([&] { return lamp(live, "Shape8") == QColor(128, 0, 0); }));
    EXPECT_FALSE(live.port->isOpen());
    const double cpuBefore = process::cpuSeconds();
    QTest::qWait(1000);
    EXPECT_LT(process::cpuSeconds() - cpuBefore, 0.3) << "the program spins after the hang-up";
    EXPECT_EQ(occurrences(live.window->noticeBox.text(), "connection to the radio was lost"), 1)
        << live.window->noticeBox.text();
}

TEST(RadioLink, AtTheSlowestRateTheResendWaitsForTheLineAndANewSampleStillArrivesSoon) {
    LiveWindow live;
    ASSERT_NO_FATAL_FAILURE(connectAt(live, "4800"));
    // The radio's manual asks for two stop bits at 4800 baud; its line then carries 436
    // characters a second, and the radio takes no more.
    EXPECT_NE(live.radio.slaveTermios()->c_cflag & CSTOPB, 0u);
    live.radio.readSlowly(436);
    user::choose(live, "Combo1", "Kestrum PRO");
    const std::string pro(samples::table[3].sentence);
    const std::string notices = live.window->noticeBox.text();
    user::press(live, "Command6");

    QTest::qWait(10000);
    const auto heard = live.radio.commands();
    const auto resent = startingWith(heard, "UR");
    // 262 bytes take 601 ms at 4800 baud: one send a second, where every 500 ms fell behind.
    EXPECT_GE(resent.size(), 8u);
    EXPECT_LE(resent.size(), 12u);
    for (std::size_t i = 1; i < resent.size(); ++i) {
        EXPECT_GE(resent[i].start - resent[i - 1].start, 600ms) << "send " << i;
    }
    for (std::size_t at = 0; at + 1 < heard.size(); at += 2) {
        EXPECT_EQ(heard[at].text, "UR" + pro + ";") << "command " << at;
        EXPECT_EQ(heard[at + 1].text, "UT" + pro + ";") << "command " << at + 1;
    }
    EXPECT_EQ(live.window->noticeBox.text(), notices) << "the resend told of a problem";

    const std::string kestrum(samples::table[2].sentence);
    const auto newSample = [&] {
        for (const auto& command : live.radio.commands()) {
            if (command.text == "UR" + kestrum + ";") {
                return std::optional(command.start);
            }
        }
        return std::optional<SimulatedRadio::Clock::time_point>{};
    };
    user::choose(live, "Combo1", "Kestrum");
    const auto chosen = SimulatedRadio::Clock::now();
    ASSERT_TRUE(user::waitFor([&] { return newSample().has_value(); }));
    EXPECT_LE(*newSample() - chosen, 1200ms) << "one line time and one tick at most";

    // At 9600 baud a send takes 273 ms and the resend keeps its 500 ms.
    user::choose(live, "Combo3", "9600");
    EXPECT_EQ(live.radio.slaveTermios()->c_cflag & CSTOPB, 0u);
    live.radio.readSlowly(960);
    ASSERT_TRUE(user::waitFor([&] { return !live.port->isLineBusy(); }));
    live.radio.clear();
    QTest::qWait(3000);
    const auto faster = startingWith(live.radio.commands(), "UR");
    EXPECT_GE(faster.size(), 5u);
    for (std::size_t i = 1; i < faster.size(); ++i) {
        const auto spacing = faster[i].start - faster[i - 1].start;
        EXPECT_GE(spacing, 400ms) << "send " << i;
        EXPECT_LE(spacing, 650ms) << "send " << i;
    }
}

TEST(RadioLink, ASemicolonTypedIntoACellNeverReachesTheRadio) {
    LiveWindow live;
    user::choose(live, "Combo2", "Com 3");
    user::press(live, "Command2");
    ASSERT_TRUE(live.port->isOpen());
    user::choose(live, "Combo1", "Kestrum");
    user::choose(live, "Combo4", "01");
    user::typeInto(live, "Text2(0)", ";TX");
    user::press(live, "Command3");
    user::press(live, "Command6");
    QTest::qWait(700);
    EXPECT_TRUE(live.radio.receivedText().empty()) << live.radio.receivedText();
    EXPECT_EQ(sentenceShown(live), samples::table[2].sentence);
    EXPECT_NE(live.window->noticeBox.text().find("not sent"), std::string::npos)
        << live.window->noticeBox.text();
}
