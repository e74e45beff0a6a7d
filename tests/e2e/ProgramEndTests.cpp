// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// Each ending runs the program in a child process, since the program's end ends the process.
// The parent holds the radio's end of a pseudo-terminal and judges from outside, as the next
// user of the port would: by the lock file the port leaves or not.
#include "qt/Program.h"
#include "tests/support/ComPortLink.h"
#include "tests/support/PortLockFile.h"
#include "tests/support/TestApplication.h"

#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {
constexpr int comThreeItem = 2;

// The radio's side of the line, and only that: the program finds no other holder of the
// device. No thread reads it: the parent forks, and a thread holding a lock at the fork would
// leave the child waiting on that lock for ever.
class PseudoTerminal {
public:
    PseudoTerminal() {
        std::array<char, 256> name{};
        int slave = -1;
        if (openpty(&master_, &slave, name.data(), nullptr, nullptr) == 0) {
            slavePath_ = name.data();
            ::close(slave);
        }
    }
    ~PseudoTerminal() { ::close(master_); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& slavePath() const { return slavePath_; }

private:
    int master_ = -1;
    std::string slavePath_;
};
constexpr auto generous = 10s;

// What the child says and is told, one byte each.
constexpr char portOpen = 'o';
constexpr char exitPressed = 'x';
constexpr char closeBoxUsed = 'c';
constexpr char underModalBox = 'm';
constexpr char signalInYield = 'y';
constexpr char ping = 'p';
constexpr char resumed = 'r';

void tell(int fd, char what) {
    [[maybe_unused]] const ssize_t written = ::write(fd, &what, 1);
}

std::optional<char> hear(int fd, std::chrono::milliseconds timeout) {
    pollfd watch{fd, POLLIN, 0};
    char what = 0;
    if (poll(&watch, 1, static_cast<int>(timeout.count())) == 1 && ::read(fd, &what, 1) == 1) {
        return what;
    }
    return std::nullopt;
}

// The program as main() puts it together, Com 3 open, then ending as the parent orders.
[[noreturn]] void runProgram(int orders, int replies) {
    QApplication& app = application();
    Program program;
    MainWindow& window = *program.window;
    program.view->show();
    window.portSelector.choose(comThreeItem);
    window.connectButton.press();
    if (!program.serialPort.isOpen()) {
        std::_Exit(EXIT_FAILURE);
    }
    tell(replies, portOpen);

    QSocketNotifier ordered(orders, QSocketNotifier::Read);
    QObject::connect(&ordered, &QSocketNotifier::activated, &app, [&] {
        char order = 0;
        if (::read(orders, &order, 1) != 1) {
            std::_Exit(EXIT_FAILURE);
        }
        switch (order) {
        case exitPressed:
            window.exitButton.press();
            break;
        case closeBoxUsed:
            program.view->close();
            break;
        case underModalBox:
            QTimer::singleShot(0, &app, [&] { tell(replies, underModalBox); });
            QtMessageBox().showWarning("Sonavel", "waiting for the user");
            break;
        case signalInYield:
            std::raise(SIGTERM);
            // The Update yields before it writes; the signal must end the program there.
            window.updateButton.press();
            break;
        case ping:
            tell(replies, ping);
            return;
        default:
            break;
        }
        tell(replies, resumed);
    });
    QApplication::exec();
    std::_Exit(EXIT_FAILURE);
}

struct Ending {
    const char* name;
    char order;         // told to the child; 0 for none
    int signal;         // sent to the child from outside; 0 for none
    int endedBy;        // the signal the child must die of; 0 for a clean exit
    int ignoredAtStart; // ignored when the child started, as nohup does, and sent before the order
};

struct Outcome {
    bool opened = false;
    bool lockWhileOpen = false;
    bool livedOn = true;
    std::optional<int> status;
    bool lockAfterEnd = true;
    bool resumed = false;
};

std::optional<int> waitForEnd(pid_t child) {
    const auto giveUp = std::chrono::steady_clock::now() + generous;
    int status = 0;
    while (std::chrono::steady_clock::now() < giveUp) {
        if (waitpid(child, &status, WNOHANG) == child) {
            return status;
        }
        std::this_thread::sleep_for(10ms);
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return std::nullopt;
}

Outcome end(const Ending& ending, const PseudoTerminal& radio) {
    int orders[2];
    int replies[2];
    if (pipe(orders) != 0 || pipe(replies) != 0) {
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(orders[1]);
        close(replies[0]);
        if (ending.ignoredAtStart != 0) {
            std::signal(ending.ignoredAtStart, SIG_IGN);
        }
        runProgram(orders[0], replies[1]);
    }
    close(orders[0]);
    close(replies[1]);

    Outcome outcome;
    const std::filesystem::path lock = lockFileOf(radio.slavePath());
    outcome.opened = hear(replies[0], generous) == portOpen;
    outcome.lockWhileOpen = std::filesystem::exists(lock);
    if (ending.ignoredAtStart != 0) {
        kill(child, ending.ignoredAtStart);
        // Once the child has answered, its event loop has gone round with the signal taken.
        tell(orders[1], ping);
        outcome.livedOn = hear(replies[0], generous) == ping;
    }
    if (ending.order != 0) {
        tell(orders[1], ending.order);
    }
    if (ending.order == underModalBox) {
        outcome.opened = outcome.opened && hear(replies[0], generous) == underModalBox;
    }
    if (ending.signal != 0) {
        kill(child, ending.signal);
    }
    outcome.status = waitForEnd(child);
    outcome.resumed = hear(replies[0], 0ms) == resumed;
    outcome.lockAfterEnd = std::filesystem::exists(lock);
    close(orders[1]);
    close(replies[0]);
    return outcome;
}
} // namespace

TEST(ProgramEnd, EveryWayTheProgramEndsGivesThePortBackAndNothingResumes) {
    const Ending endings[] = {
        {"Exit", exitPressed, 0, 0, 0},
        {"the window's close box", closeBoxUsed, 0, 0, 0},
        {"SIGTERM", 0, SIGTERM, SIGTERM, 0},
        {"SIGHUP", 0, SIGHUP, SIGHUP, 0},
        {"SIGINT", 0, SIGINT, SIGINT, 0},
        {"SIGTERM under a modal message box", underModalBox, SIGTERM, SIGTERM, 0},
        {"SIGTERM inside the yield of an Update", signalInYield, 0, SIGTERM, 0},
        {"Exit after a SIGHUP that nohup ignores", exitPressed, 0, 0, SIGHUP},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.name);
        ComPortLink link;
        const PseudoTerminal radio;
        ASSERT_FALSE(radio.slavePath().empty()) << "no pseudo-terminal";
        link.link(3, radio.slavePath());

        const Outcome outcome = end(ending, radio);
        ASSERT_TRUE(outcome.opened) << "the program did not open Com 3";
        ASSERT_TRUE(outcome.lockWhileOpen) << lockFileOf(radio.slavePath());
        EXPECT_TRUE(outcome.livedOn) << "an ignored signal ended the program";
        ASSERT_TRUE(outcome.status.has_value()) << "the program did not end";
        if (ending.endedBy == 0) {
            EXPECT_TRUE(WIFEXITED(*outcome.status) && WEXITSTATUS(*outcome.status) == 0)
                << *outcome.status;
        } else {
            EXPECT_TRUE(WIFSIGNALED(*outcome.status) && WTERMSIG(*outcome.status) == ending.endedBy)
                << *outcome.status;
        }
        EXPECT_FALSE(outcome.lockAfterEnd) << "the lock file was left behind";
        EXPECT_FALSE(outcome.resumed) << "a handler resumed after the end";
    }
}
