// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/LampWidget.h"
#include "sentence/Samples.h"
#include "tests/e2e/UserSteps.h"
#include "tests/support/RigctldProcess.h"

#include <fstream>

namespace {
constexpr int rigctldItem = 6;

void writePortsFile(LiveWindow& live, int number, const std::string& line) {
    std::ofstream(live.link.folder() / "Sonavel" / "ports" / ("com" + std::to_string(number)))
        << line << "\n";
}

// What the program sent, without rigctld's own queries.
std::vector<SimulatedRadio::Command> ours(const SimulatedRadio& radio) {
    std::vector<SimulatedRadio::Command> sent;
    for (const auto& command : radio.commands()) {
        if (command.text != "PS;") {
            sent.push_back(command);
        }
    }
    return sent;
}

QColor portLamp(LiveWindow& live) {
    return live.widget<LampWidget>("Shape8")->fill();
}
} // namespace

TEST(Rigctld, TheRadioHearsExactlyWhatASerialLineCarriesAndEveryFailureIsToldOnce) {
    if (!RigctldProcess::isInstalled()) {
        GTEST_SKIP() << "rigctld is not installed: apt-get install libhamlib-utils";
    }
    LiveWindow live;
    live.radio.answerOpenQueries();
    const int port = RigctldProcess::freePort();
    const std::string address = "localhost:" + std::to_string(port);
    writePortsFile(live, rigctldItem, "rigctld " + address);
    const std::string& notices = live.window->noticeBox.text();

    // Before rigctld runs, the connection is refused and the address is named.
    user::choose(live, "Combo2", "Com 6");
    user::press(live, "Command2");
    const std::string refused = "Com 6: rigctld at " + address +
                                " could not be reached: Connection "
                                "refused";
    ASSERT_TRUE(user::waitFor([&] { return notices.find(refused) != std::string::npos; }))
        << notices;
    ASSERT_FALSE(live.port->isOpen());

    RigctldProcess rigctld(live.radio.slavePath(), port);
    ASSERT_TRUE(rigctld.waitUntilListening()) << "rigctld did not start";
    live.radio.clear();
    user::press(live, "Command2");
    ASSERT_TRUE(user::waitFor([&] { return live.port->isOpen(); })) << notices;
    ASSERT_TRUE(user::waitFor([&] {
        return notices.find("Com 6 open: rigctld at " + address + ", Kenwood TS-2000") !=
               std::string::npos;
    })) << notices;
    EXPECT_EQ(portLamp(live), QColor(255, 0, 0));
    user::choose(live, "Combo3", "19200");
    user::choose(live, "Combo3", "4800");
    EXPECT_EQ(occurrences(notices, "rigctld, which sets the radio's line itself"), 1) << notices;

    // Update and ten resends, each UR followed by its UT. rigctld asks the radio's power state
    // (PS;) for each program that connects, in between.
    user::choose(live, "Combo1", "Kestrum PRO");
    const std::string pro(samples::table[3].sentence);
    user::press(live, "Command6");
    ASSERT_TRUE(user::waitFor([&] { return ours(live.radio).size() >= 22; }, 15000));
    const auto heard = ours(live.radio);
    for (std::size_t at = 0; at + 1 < heard.size(); at += 2) {
        ASSERT_EQ(heard[at].text, "UR" + pro + ";") << "command " << at;
        ASSERT_EQ(heard[at + 1].text, "UT" + pro + ";") << "command " << at + 1;
    }

    // The radio's refusal comes back through rigctld and is told once.
    live.radio.answerEveryCommandWith("?;");
    const auto refusals = [&] { return occurrences(notices, "answered \"?;\""); };
    user::press(live, "Command6");
    ASSERT_TRUE(user::waitFor([&] { return refusals() == 1; }, 15000)) << notices;
    const std::size_t heardAtRefusal = ours(live.radio).size();
    ASSERT_TRUE(
        user::waitFor([&] { return ours(live.radio).size() >= heardAtRefusal + 24; }, 15000));
    EXPECT_EQ(refusals(), 1) << notices;

    // rigctld ends in the middle of the resend: told once, and the lamp goes dark.
    rigctld.kill();
    ASSERT_TRUE(user::waitFor([&] { return !live.port->isOpen(); }));
    EXPECT_TRUE(user::waitFor([&] { return portLamp(live) == QColor(128, 0, 0); }));
    QTest::qWait(1500);
    EXPECT_EQ(
        occurrences(notices, "The connection to the radio was lost: Com 6: rigctld at " + address),
        1)
        << notices;
}
