// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// The settings file shared with other processes, live or ended; each run of the program is a
// process of its own.
#include "qt/Program.h"
#include "system/ExclusiveLock.h"
#include "tests/settings/SettingsFiles.h"
#include "tests/support/TestApplication.h"
#include "tests/support/TextCounts.h"

#include <QLockFile>
#include <QSocketNotifier>
#include <chrono>
#include <csignal>
#include <cstring>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <thread>

using namespace std::chrono;

namespace {
// The number of choices a run made that it was told had failed.
int failuresOf(int choices, const std::string& key, const std::string& mark) {
    QtSettingsStore store;
    std::minstd_rand pause(static_cast<unsigned>(key.size()));
    int failures = 0;
    for (int n = 0; n < choices; ++n) {
        failures += writeProperty(store, key, mark + std::to_string(n)) ? 0 : 1;
        // Choices a few milliseconds apart often fall inside the other run's write.
        std::this_thread::sleep_for(microseconds(pause() % 20000));
    }
    return failures;
}
} // namespace

// On a disk file system a replaced file's number soon goes to the next new file, so a check that
// compares numbers read outside the write's turn told writes that worked as failed.
TEST(SharedSettings, TwoRunsChoosingAtOnceReportNoFailureAndKeepEachOnesLastChoice) {
    const VariableSetTo onDisk("TMPDIR", "/var/tmp");
    ComPortLink config;
    constexpr int choices = 200;
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    const pid_t other = fork();
    if (other == 0) {
        char go = 0;
        _exit(read(start[0], &go, 1) == 1 ? std::min(failuresOf(choices, "Settings", "b"), 99)
                                          : 100);
    }
    ASSERT_EQ(write(start[1], "g", 1), 1);
    EXPECT_EQ(failuresOf(choices, "Bytes", "a"), 0);
    int status = 0;
    waitpid(other, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    NextRun next(config);
    EXPECT_EQ(readProperty(next.store, "Bytes"), "a" + std::to_string(choices - 1));
    EXPECT_EQ(readProperty(next.store, "Settings"), "b" + std::to_string(choices - 1));
}

namespace {
// What the child tells, up to its zero byte; nothing if it ended first.
std::optional<std::string> heard(int fd, milliseconds timeout = seconds(20)) {
    std::string text;
    pollfd watch{fd, POLLIN, 0};
    for (char c = 0; poll(&watch, 1, static_cast<int>(timeout.count())) == 1;) {
        if (::read(fd, &c, 1) != 1) {
            break;
        }
        if (c == '\0') {
            return text;
        }
        text += c;
    }
    return std::nullopt;
}

// The program as main() puts it together. It tells when it has started; at each byte from the
// parent it tells that it is choosing, chooses a rate, then tells how long that took and what
// the notice box gained.
[[noreturn]] void runProgram(int orders, int news) {
    QApplication& app = application();
    Program program;
    MainWindow& window = *program.window;
    static_cast<void>(::write(news, "r", 2));
    int rate = 0;
    QSocketNotifier ordered(orders, QSocketNotifier::Read);
    QObject::connect(&ordered, &QSocketNotifier::activated, &app, [&] {
        char order = 0;
        static_cast<void>(::read(orders, &order, 1));
        const std::size_t before = window.noticeBox.text().size();
        static_cast<void>(::write(news, "w", 2));
        const auto start = steady_clock::now();
        window.rateSelector.choose(++rate % 2 + 1);
        const auto took = duration_cast<milliseconds>(steady_clock::now() - start).count();
        std::string told = std::to_string(took) + "|" + window.noticeBox.text().substr(before);
        static_cast<void>(::write(news, told.c_str(), told.size() + 1));
    });
    QApplication::exec();
    std::_Exit(EXIT_FAILURE);
}

// How the child ended; a child that outlives the limit is killed.
int endOf(pid_t child, seconds limit) {
    int status = 0;
    for (const auto giveUp = steady_clock::now() + limit; waitpid(child, &status, WNOHANG) == 0;) {
        if (steady_clock::now() > giveUp) {
            kill(child, SIGKILL);
        }
        std::this_thread::sleep_for(milliseconds(5));
    }
    return status;
}

struct LockCase {
    const char* name;
    std::function<void(const std::filesystem::path& lock)> make;
    bool readOnlyFolder;
    std::string told; // in the one report; empty when the choice is saved
    bool waits;       // so an ending signal must end it inside the wait
};
} // namespace

// Whatever state Qt's lock file is in, a choice returns within a second, saved or told once why,
// and an ending signal ends the program at once, inside a wait too.
TEST(SharedSettings, NoStateOfTheLockFileHoldsTheWindowOrAnEndingSignal) {
    const pid_t ended = fork();
    if (ended == 0) {
        _exit(0);
    }
    waitpid(ended, nullptr, 0);
    const std::string self = "process " + std::to_string(getpid()) + " (shared_settings_tests)";
    std::optional<QLockFile> heldLock;
    std::optional<ExclusiveLock> heldFolder;
    const auto leftBy = [&](const auto& lock) {
        writeFileBytes(lock, std::to_string(ended) + "\n");
    };
    const auto empty = [](const auto& lock) { writeFileBytes(lock, ""); };
    const auto held = [&](const auto& lock) {
        heldLock.emplace(QString::fromStdString(lock.string()));
        ASSERT_TRUE(heldLock->tryLock(0));
    };
    const std::string notRemoved = ", cannot be removed (" + std::string(std::strerror(EACCES));
    const std::vector<LockCase> cases{
        {"left by a run that ended", leftBy, false, "", false},
        {"left by a run that ended, in a read-only folder", leftBy, true,
         "left by process " + std::to_string(ended) + ", which has ended" + notRemoved, false},
        {"empty", empty, false, "", false},
        {"empty, in a read-only folder", empty, true, "left by a run that ended" + notRemoved,
         false},
        {"a folder", [](const auto& lock) { std::filesystem::create_directory(lock); }, false,
         ".lock is a folder, where the lock file of the settings should be: remove it", false},
        {"held by a live process", held, false, self + " holds ", true},
        {"held by a run stalled in its write",
         [&](const auto& lock) {
             held(lock);
             heldFolder.emplace(lock.parent_path().string());
             ASSERT_EQ(heldFolder->state(), ExclusiveLock::State::taken);
         },
         false, "another run of the program, " + self + ", is writing the settings", true},
    };
    for (const LockCase& c : cases) {
        SCOPED_TRACE(c.name);
        ComPortLink config;
        const std::filesystem::path folder = config.settingsFile().parent_path();
        // Root writes any folder, so the program runs as a user without that power.
        constexpr uid_t nobody = 65534;
        const bool asNobody = geteuid() == 0;
        for (const auto& path : {config.folder(), folder}) {
            ASSERT_TRUE(!asNobody || chown(path.c_str(), nobody, nobody) == 0);
        }
        int orders[2];
        int news[2];
        ASSERT_EQ(pipe(orders), 0);
        ASSERT_EQ(pipe(news), 0);
        const pid_t child = fork();
        if (child == 0) {
            if (asNobody &&
                (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)) {
                std::_Exit(EXIT_FAILURE);
            }
            runProgram(orders[0], news[1]);
        }
        close(news[1]);
        ASSERT_EQ(heard(news[0]), "r") << "the program did not start";
        const std::filesystem::path lock = config.settingsFile().string() + ".lock";
        c.make(lock);
        if (c.readOnlyFolder) {
            std::filesystem::permissions(folder, std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::remove);
        }

        ASSERT_EQ(write(orders[1], "g", 1), 1);
        EXPECT_EQ(heard(news[0]), "w");
        const std::string told = heard(news[0]).value_or("no answer");
        std::string report = told.substr(told.find('|') + 1);
        EXPECT_LT(std::atoi(told.c_str()), 1000) << told;
        EXPECT_EQ(lineCount(report), c.told.empty() ? 0 : 1) << report;
        EXPECT_NE(report.find(c.told), std::string::npos) << report;
        EXPECT_EQ(std::filesystem::exists(lock), !c.told.empty());

        // The next choice tries again, and the signal comes while it may be waiting.
        ASSERT_EQ(write(orders[1], "g", 1), 1);
        EXPECT_EQ(heard(news[0]), "w");
        const auto signalled = steady_clock::now();
        kill(child, SIGTERM);
        if (c.waits) {
            EXPECT_EQ(heard(news[0]), std::nullopt) << "the wait outlasted the signal";
        }
        const int status = endOf(child, seconds(5));
        EXPECT_LT(steady_clock::now() - signalled, seconds(1));
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;

        heldFolder.reset();
        heldLock.reset();
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
        for (const int fd : {orders[0], orders[1], news[0]}) {
            close(fd);
        }
    }
}
