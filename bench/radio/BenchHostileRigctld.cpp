// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// What a misbehaving rigctld costs: for each, the program as a script runs it
// (sonavel --sample OFF --port 3, Com 3 leading to the peer), with the time to its report, its
// peak resident memory and its exit status; then how long SIGTERM takes to end the program in
// each state: the window connecting to a silent rigctld, the window connected and resending,
// a script connecting, a script resending.
//
//   bench_hostile_rigctld [runs]
//
// runs: how often each latency is measured, 5 unless given.

#include "qt/Program.h"
#include "tests/support/ComPortLink.h"
#include "tests/support/ScriptedRigctld.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {
using Act = ScriptedRigctld::Act;
using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

struct Ended {
    int status = 0;
    long peakKiB = 0;
    double milliseconds = 0;
};

// A station whose Com 3 reaches the peer.
struct Station {
    explicit Station(ScriptedRigctld::Script script) : peer(std::move(script)) {
        std::ofstream(config.folder() / "Sonavel" / "ports" / "com3") << peer.portsLine() << "\n";
    }
    ComPortLink config;
    ScriptedRigctld peer;
};

pid_t spawnScript(std::vector<std::string> words) {
    words.insert(words.begin(), SONAVEL_PROGRAM);
    std::vector<char*> arguments;
    for (std::string& word : words) {
        arguments.push_back(word.data());
    }
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/tmp/bench-hostile-rigctld-said",
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = -1;
    if (posix_spawn(&child, SONAVEL_PROGRAM, &quiet, nullptr, arguments.data(), environ) != 0) {
        std::perror("bench_hostile_rigctld: spawn");
        std::exit(EXIT_FAILURE);
    }
    posix_spawn_file_actions_destroy(&quiet);
    return child;
}

Ended waitFor(pid_t child, Clock::time_point from) {
    Ended ended;
    rusage usage{};
    wait4(child, &ended.status, 0, &usage);
    ended.milliseconds = Milliseconds(Clock::now() - from).count();
    ended.peakKiB = usage.ru_maxrss;
    return ended;
}

std::string statusText(int status) {
    return WIFEXITED(status) ? "exit " + std::to_string(WEXITSTATUS(status))
                             : "signal " + std::to_string(WTERMSIG(status));
}

void waitUntil(const std::function<bool()>& done) {
    const auto giveUp = Clock::now() + std::chrono::seconds(20);
    while (!done() && Clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void hostilePeers() {
    const struct {
        const char* name;
        ScriptedRigctld::Script script;
    } peers[] = {
        {"drips a byte a second", {0, Act::drip, {}}},
        {"floods lines without RPRT", {1, Act::flood, {}}},
        {"silent", {1, Act::silence, {}}},
        {"answers RPRT -5", {1, Act::answer, "RPRT -5\n"}},
        {"answers RPRT -6", {1, Act::answer, "RPRT -6\n"}},
        {"closes at once", {0, Act::closeAtOnce, {}}},
        {"sends one huge line", {1, Act::hugeLine, {}}},
        {"silent after Connect", {2, Act::silence, {}}},
        {"drips after Connect", {2, Act::drip, {}}},
        {"floods after Connect", {2, Act::flood, {}}},
        {"RPRT -6 to the commands", {2, Act::answer, "RPRT -6\n"}},
    };
    std::printf("sonavel --sample OFF --port 3 against a rigctld that...\n");
    for (const auto& peer : peers) {
        const Station station(peer.script);
        const Clock::time_point started = Clock::now();
        const Ended ended = waitFor(spawnScript({"--sample", "OFF", "--port", "3"}), started);
        std::ifstream said("/tmp/bench-hostile-rigctld-said");
        std::string words;
        std::getline(said, words);
        std::printf("  %-26s %7.0f ms  peak %6ld KiB  %-7s %.90s...\n", peer.name,
                    ended.milliseconds, ended.peakKiB, statusText(ended.status).c_str(),
                    words.c_str());
    }
}

// The window in a child process, Com 3 chosen and Connect pressed; with resend, Update pressed
// once open. Tells the parent through ready once in that state.
[[noreturn]] void runWindow(int ready, bool resend) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "sonavel";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    Program program;
    MainWindow& window = *program.window;
    window.portSelector.choose(2);
    window.connectButton.press();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &application, [&] {
        if (!resend || program.serialPort.isOpen()) {
            if (resend) {
                window.updateButton.press();
            }
            watch.stop();
            // Once the resend has gone round a few times.
            QTimer::singleShot(resend ? 1200 : 100, &application, [ready] {
                [[maybe_unused]] const ssize_t told = ::write(ready, "r", 1);
            });
        }
    });
    watch.start(5);
    QApplication::exec();
    std::_Exit(EXIT_FAILURE);
}

double windowLatency(bool resend) {
    const Station station(resend ? ScriptedRigctld::Script{}
                                 : ScriptedRigctld::Script{1, Act::silence, {}});
    int ready[2];
    if (pipe(ready) != 0) {
        std::exit(EXIT_FAILURE);
    }
    // The child would print again what is still buffered here, at its end.
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        ::close(ready[0]);
        runWindow(ready[1], resend);
    }
    ::close(ready[1]);
    char byte = 0;
    if (::read(ready[0], &byte, 1) != 1) {
        std::fprintf(stderr, "bench_hostile_rigctld: the window did not get ready\n");
        std::exit(EXIT_FAILURE);
    }
    ::close(ready[0]);
    const Clock::time_point signalled = Clock::now();
    ::kill(child, SIGTERM);
    return waitFor(child, signalled).milliseconds;
}

double scriptLatency(bool resend) {
    const Station station(resend ? ScriptedRigctld::Script{}
                                 : ScriptedRigctld::Script{1, Act::silence, {}});
    std::vector<std::string> words{"--sample", "OFF", "--port", "3"};
    if (resend) {
        words.insert(words.end(), {"--auto", "60"});
    }
    const pid_t child = spawnScript(words);
    const std::size_t linesWanted = resend ? 7 : 1;
    waitUntil([&] {
        const std::string heard = station.peer.received();
        return static_cast<std::size_t>(std::count(heard.begin(), heard.end(), '\n')) >=
               linesWanted;
    });
    const Clock::time_point signalled = Clock::now();
    ::kill(child, SIGTERM);
    return waitFor(child, signalled).milliseconds;
}

void latencies(int runs) {
    std::printf("SIGTERM to the end of the process, %d runs each: median, worst\n", runs);
    const struct {
        const char* state;
        std::function<double()> measure;
    } states[] = {
        {"window connecting", [] { return windowLatency(false); }},
        {"window resending", [] { return windowLatency(true); }},
        {"script connecting", [] { return scriptLatency(false); }},
        {"script resending", [] { return scriptLatency(true); }},
    };
    for (const auto& state : states) {
        std::vector<double> took;
        for (int run = 0; run < runs; ++run) {
            took.push_back(state.measure());
        }
        std::sort(took.begin(), took.end());
        std::printf("  %-18s %6.1f ms  %6.1f ms\n", state.state, took[took.size() / 2],
                    took.back());
    }
}
} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 5;
    hostilePeers();
    latencies(runs);
    return EXIT_SUCCESS;
}
