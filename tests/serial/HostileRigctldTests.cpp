// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// Each case plays a rigctld that misbehaves, on the loopback address, against the window's real
// port, and judges as the user would: one report, in words that name the address, within its
// deadline; the port closed, or left open and alone while rigctld is silent; and the program's
// memory as it was, whatever the peer sends.
#include "qt/serial/QtSerialPort.h"
#include "tests/support/ComPortLink.h"
#include "tests/support/ProcessFigures.h"
#include "tests/support/ScriptedRigctld.h"
#include "tests/support/TestApplication.h"

#include <QTest>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {
using Act = ScriptedRigctld::Act;
using Clock = std::chrono::steady_clock;
constexpr int rigctldNumber = 9;
constexpr int generousMilliseconds = 10000;
constexpr long memoryBoundKiB = 32 * 1024;

enum class Told { openFailed, sendFailed, portLost };

struct Hostile {
    std::string name;
    ScriptedRigctld::Script script;
    Told told;
    // The report's deadline, with room for a busy machine.
    std::chrono::milliseconds within;
    std::string words;
};

void PrintTo(const Hostile& hostile, std::ostream* out) {
    *out << hostile.name;
}

// A row: the peer turns at line from, with answer where it acts by answering.
Hostile peer(std::string name, int from, Act act, Told told, std::chrono::milliseconds within,
             std::string words, std::string answer = {}) {
    return {std::move(name), {from, act, std::move(answer)}, told, within, std::move(words)};
}

class Events : public SerialPortListener {
public:
    void sendQueueDrained() override {}
    void inputWaiting() override {}
    void portLost(const std::string& reason) override { told.push_back({Told::portLost, reason}); }
    void portOpened() override { opened = true; }
    void openFailed(const std::string& reason) override {
        told.push_back({Told::openFailed, reason});
    }
    void sendFailed(const SendFailure& failure) override {
        told.push_back({Told::sendFailed, failure.reason});
    }

    bool opened = false;
    std::vector<std::pair<Told, std::string>> told;
};

struct HostileRigctld : testing::TestWithParam<Hostile> {
    QApplication& app = application();
    ComPortLink config;
    Events events;
    QtSerialPort port;
};
} // namespace

TEST_P(HostileRigctld, IsToldOnceInWordsWithinItsDeadlineAndNeverHangsOrHoards) {
    const Hostile& c = GetParam();
    ScriptedRigctld peer(c.script);
    std::ofstream(config.folder() / "Sonavel" / "ports" / ("com" + std::to_string(rigctldNumber)))
        << peer.portsLine() << "\n";
    port.setListener(&events);
    ASSERT_TRUE(port.setPortNumber(rigctldNumber));
    const long residentBefore = process::residentKiB();

    const Clock::time_point pressed = Clock::now();
    ASSERT_TRUE(port.setOpen(true));
    EXPECT_LT(Clock::now() - pressed, 1s) << "Connect waited for rigctld";
    EXPECT_TRUE(port.isOpening());
    EXPECT_FALSE(port.isOpen());
    Clock::time_point asked = pressed;
    if (c.told != Told::openFailed) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return events.opened; }, generousMilliseconds));
        const std::string sentence(128, '0');
        asked = Clock::now();
        ASSERT_TRUE(port.write("UR" + sentence + ";"));
        ASSERT_TRUE(port.write("UT" + sentence + ";"));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !events.told.empty(); }, generousMilliseconds))
        << "nothing was told";
    EXPECT_LT(Clock::now() - asked, c.within);
    // Nothing more comes, not even after a second deadline.
    QTest::qWait(c.told == Told::sendFailed ? 2500 : 300);

    ASSERT_EQ(events.told.size(), 1u) << events.told.back().second;
    const auto& [told, words] = events.told.front();
    EXPECT_EQ(told, c.told) << words;
    EXPECT_EQ(words.rfind("Com 9: rigctld at 127.0.0.1:" + std::to_string(peer.port()), 0), 0u)
        << words;
    EXPECT_NE(words.find(c.words), std::string::npos) << words;
    EXPECT_EQ(port.isOpen(), c.told == Told::sendFailed);
    EXPECT_FALSE(port.isOpening());
    // What rigctld has not answered keeps the resend away until it does.
    EXPECT_EQ(port.isLineBusy(), c.told == Told::sendFailed && c.script.act != Act::answer);
    EXPECT_LT(process::peakResidentKiB() - residentBefore, memoryBoundKiB);
}

INSTANTIATE_TEST_SUITE_P(
    Peers, HostileRigctld,
    testing::Values(
        peer("DripsAByteASecondWithoutALineEnd", 0, Act::drip, Told::openFailed, 5s,
             "took the connection but did not answer within 3 seconds"),
        peer("FloodsLinesWithoutRprt", 1, Act::flood, Told::openFailed, 3s,
             "sent what rigctld does not send: more than 64 KiB without the \"RPRT\" line"),
        peer("StaysSilent", 1, Act::silence, Told::openFailed, 5s,
             "did not answer within 3 seconds. rigctld is this slow when it cannot reach"),
        peer("AnswersRprtMinus5", 1, Act::answer, Told::openFailed, 3s,
             " cannot reach the radio: the radio did not answer in time (RPRT -5). Check",
             "dump_caps:\nRPRT -5\n"),
        peer("AnswersRprtMinus6", 1, Act::answer, Told::openFailed, 3s,
             " cannot reach the radio: an input/output error on the radio's port (RPRT -6)",
             "RPRT -6\n"),
        peer("ClosesAtOnce", 0, Act::closeAtOnce, Told::openFailed, 3s,
             " closed the connection without answering. rigctld does this when it cannot"),
        peer("SendsOneHugeLine", 1, Act::hugeLine, Told::openFailed, 3s,
             "sent what rigctld does not send: a line of more than 4096 characters"),
        peer("FallsSilentAfterConnect", 2, Act::silence, Told::sendFailed, 4s,
             " has not answered for 2 seconds, so nothing more is sent until it does"),
        peer("LosesTheRadioAfterConnect", 2, Act::answer, Told::sendFailed, 3s,
             " cannot reach the radio: an input/output error", "send_cmd_rx: UR0; 0\nRPRT -6\n"),
        peer("FloodsAfterConnect", 2, Act::flood, Told::portLost, 3s,
             "more than 64 KiB without the \"RPRT\" line")),
    [](const testing::TestParamInfo<Hostile>& info) { return info.param.name; });
