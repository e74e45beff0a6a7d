// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/LampWidget.h"
#include "sentence/Samples.h"
#include "tests/e2e/UserSteps.h"
#include "tests/support/RigctldProcess.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <fstream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>

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

// Another program sharing rigctld, as a logger does: it asks the radio's frequency with a raw
// command (rigctld would answer "f" from its cache) every 50 ms, four times as often as a logger,
// and keeps the longest wait for an answer.
class PollingClient {
public:
    explicit PollingClient(int port) {
        thread_ = std::thread([this, port] { poll(port); });
    }
    ~PollingClient() {
        stop_ = true;
        thread_.join();
    }
    int answered() const { return answered_; }
    std::chrono::milliseconds longestWait() const { return longestWait_.load(); }

private:
    void poll(int port) {
        const int connection = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        timeval bound{5, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
        if (::connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            while (!stop_) {
                const auto asked = std::chrono::steady_clock::now();
                std::string answer;
                char bytes[512];
                ssize_t count = ::send(connection, "+W FA; ;\n", 9, MSG_NOSIGNAL);
                while (count > 0 && answer.find("RPRT") == std::string::npos) {
                    count = ::recv(connection, bytes, sizeof bytes, 0);
                    answer.append(bytes, static_cast<std::size_t>(std::max<ssize_t>(count, 0)));
                }
                if (count <= 0) {
                    break;
                }
                ++answered_;
                longestWait_ = std::max(longestWait_.load(),
                                        std::chrono::duration_cast<std::chrono::milliseconds>(
                                            std::chrono::steady_clock::now() - asked));
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
        ::close(connection);
    }

    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    std::atomic<std::chrono::milliseconds> longestWait_{};
    std::thread thread_;
};
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

// rigctld answers once the bytes are in its port's queue; at 4800 baud a pair takes 546 ms on
// its line (ten bits a character), longer than a resend's 500 ms. Paced by that line, the radio
// hears the sentence as often as the line carries it and no later, and a logger polling the same
// rigctld never gets a command between UR and UT.
TEST(Rigctld, At4800TheResendKeepsToRigctldsLineAndAnotherClientNeverSplitsAPair) {
    if (!RigctldProcess::isInstalled()) {
        GTEST_SKIP() << "rigctld is not installed: apt-get install libhamlib-utils";
    }
    LiveWindow live;
    live.radio.answerOpenQueries();
    const int port = RigctldProcess::freePort();
    writePortsFile(live, rigctldItem, "rigctld 127.0.0.1:" + std::to_string(port));
    RigctldProcess rigctld(live.radio.slavePath(), port, 4800);
    ASSERT_TRUE(rigctld.waitUntilListening()) << "rigctld did not start";
    // The radio reads 4800 baud with two stop bits, as its manual asks, while rigctld sends one.
    live.radio.readSlowly(436);
    const std::string& notices = live.window->noticeBox.text();
    user::choose(live, "Combo3", "19200");
    user::choose(live, "Combo2", "Com 6");
    user::press(live, "Command2");
    ASSERT_TRUE(user::waitFor([&] {
        return notices.find(", Kenwood TS-2000, 4800,n,8,1") != std::string::npos;
    })) << notices;

    user::choose(live, "Combo1", "Kestrum PRO");
    live.radio.clear();
    const auto ourPairs = [&] {
        const auto heard = live.radio.commands();
        return std::count_if(heard.begin(), heard.end(),
                             [](const auto& command) { return command.text[0] == 'U'; }) /
               2;
    };
    const auto lastOfOurs = [&] {
        const auto heard = live.radio.commands();
        const auto last = std::find_if(heard.rbegin(), heard.rend(),
                                       [](const auto& command) { return command.text[0] == 'U'; });
        return last == heard.rend() ? SimulatedRadio::Clock::time_point{} : last->end;
    };
    const auto resendFor = [&](long pairs) {
        QTest::mouseClick(live.widget("Check1"), Qt::LeftButton);
        user::press(live, "Command6");
        ASSERT_TRUE(user::waitFor([&] { return ourPairs() >= pairs; }, 20000)) << notices;
        QTest::mouseClick(live.widget("Check1"), Qt::LeftButton);
    };

    // Auto starts ticked; the first click unticks it, so that each resend is ticked anew.
    QTest::mouseClick(live.widget("Check1"), Qt::LeftButton);
    const auto waitForQuiet = [&] {
        return user::waitFor(
            [&] { return SimulatedRadio::Clock::now() - lastOfOurs() > std::chrono::seconds(1); },
            20000);
    };
    resendFor(10);
    const auto unticked = SimulatedRadio::Clock::now();
    ASSERT_TRUE(waitForQuiet());
    // The one more send that unticking Auto lets through, and no backlog.
    EXPECT_LT(lastOfOurs() - unticked, std::chrono::milliseconds(1300));
    // Each pair waits for the line to carry the last one, which leaves it resting between them:
    // behind a sender that went by rigctld's answers alone, pairs would queue back to back.
    const auto alone = live.radio.commands();
    for (std::size_t at = 2; at + 1 < alone.size(); at += 2) {
        EXPECT_GT(alone[at].start - alone[at - 1].end, std::chrono::milliseconds(200))
            << "pair " << at / 2 << " came straight behind the one before";
    }

    const PollingClient logger(port);
    resendFor(14);
    ASSERT_TRUE(waitForQuiet());
    const auto heard = live.radio.commands();
    int pairs = 0;
    for (std::size_t at = 0; at < heard.size(); ++at) {
        if (heard[at].text.rfind("UR", 0) == 0) {
            ASSERT_LT(at + 1, heard.size());
            EXPECT_EQ(heard[at + 1].text, "UT" + heard[at].text.substr(2)) << "command " << at;
            ++pairs;
        }
    }
    EXPECT_GE(pairs, 6);
    EXPECT_GE(logger.answered(), 5) << "the logger's queries did not get through";
    EXPECT_LT(logger.longestWait(), std::chrono::seconds(2));
    std::cout << pairs << " pairs; the logger's longest wait " << logger.longestWait().count()
              << " ms over " << logger.answered() << " queries\n";
}
