// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// How closely the automatic resend keeps its period against the simulated radio, and what it
// costs. The period is 500 ms where a send fits into it, else the first whole number of
// ticks in which the line has carried it (1000 ms at 4800 baud).
//
//   bench_resend [seconds] [reply] [rate]
//
// seconds: how long the resend runs, 60 unless given. reply: what the radio answers every
// command with, "?;" say, to weigh the reading of its replies; nothing unless given or ''.
// rate: one of the baud selector's rates, 19200 unless given; the radio then reads no faster
// than the line carries.

#include "radio/LineTime.h"
#include "tests/soak/SerialRig.h"
#include "tests/support/ProcessFigures.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr double tickMilliseconds = 500;
// The radio's record of every byte would grow the process by far more than the program
// itself, so it is read out and forgotten this often, between two sends.
constexpr auto harvestEvery = std::chrono::seconds(10);

int secondsFrom(int argc, char** argv) {
    if (argc < 2) {
        return 60;
    }
    const int seconds = std::atoi(argv[1]);
    if (seconds < 2) {
        std::fprintf(stderr,
                     "bench_resend: give the seconds to run as a whole number of 2 or more\n");
        std::exit(EXIT_FAILURE);
    }
    return seconds;
}

// Chooses the rate in the baud selector, as the user would; false when it offers no such rate.
bool chooseRate(MainWindow& window, int rate) {
    for (int item = 0; item < window.rateSelector.listCount(); ++item) {
        if (window.rateSelector.itemData(item) == rate) {
            window.rateSelector.choose(item);
            return true;
        }
    }
    return false;
}

double expectedPeriodMilliseconds(const std::string& lineSettings, std::size_t sendBytes) {
    const double line = std::chrono::duration<double, std::milli>(
                            lineTime(*parseLineSettings(lineSettings).settings, sendBytes))
                            .count();
    return tickMilliseconds * std::ceil(line / tickMilliseconds);
}

struct Heard {
    std::vector<SimulatedRadio::Clock::time_point> urStarts;
    std::size_t others = 0;
};

// Takes what the radio heard into heard and makes it forget, once it is between two sends:
// its last command is a UT and no command is half heard.
void harvest(SimulatedRadio& radio, Heard& heard) {
    static_cast<void>(runUntil(
        [&] {
            const std::vector<SimulatedRadio::Command> commands = radio.commands();
            std::size_t bytes = 0;
            for (const auto& command : commands) {
                bytes += command.text.size();
            }
            return !commands.empty() && commands.back().text == SerialRig::utCommand() &&
                   bytes == radio.receivedCount();
        },
        std::chrono::seconds(2)));
    for (const SimulatedRadio::Command& command : radio.commands()) {
        if (command.text == SerialRig::urCommand()) {
            heard.urStarts.push_back(command.start);
        } else if (command.text != SerialRig::utCommand()) {
            ++heard.others;
        }
    }
    radio.clear();
}
} // namespace

int main(int argc, char** argv) {
    const int seconds = secondsFrom(argc, argv);
    const std::string reply = argc > 2 ? argv[2] : "";
    const int rate = argc > 3 ? std::atoi(argv[3]) : 19200;
    QCoreApplication app(argc, argv);

    SerialRig rig;
    if (!rig.connected()) {
        std::fprintf(stderr,
                     "bench_resend: the program could not connect to the simulated radio\n");
        return EXIT_FAILURE;
    }
    rig.radio.answerEveryCommandWith(reply);
    MainWindow& window = rig.window();
    if (rate != 19200) {
        if (!chooseRate(window, rate)) {
            std::fprintf(stderr, "bench_resend: the baud selector offers no rate %d\n", rate);
            return EXIT_FAILURE;
        }
        // A radio reads no faster than its line carries: one character's line time at a time.
        const auto character = lineTime(*parseLineSettings(rig.port.lineSettings()).settings, 1);
        rig.radio.readSlowly(static_cast<int>(std::chrono::seconds(1) / character));
    }
    const double periodMilliseconds = expectedPeriodMilliseconds(
        rig.port.lineSettings(), SerialRig::urCommand().size() + SerialRig::utCommand().size());

    Heard heard;
    heard.urStarts.reserve(static_cast<std::size_t>(seconds) * 2 + 2);
    long residentAfterWarmUp = 0;
    const double programCpuAtStart = process::threadCpuSeconds();
    const double processCpuAtStart = process::cpuSeconds();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    // Auto is ticked, so this Update starts the resend.
    window.updateButton.press();
    for (auto now = std::chrono::steady_clock::now(); now < end;
         now = std::chrono::steady_clock::now()) {
        runFor(std::min<std::chrono::milliseconds>(
            harvestEvery, std::chrono::duration_cast<std::chrono::milliseconds>(end - now)));
        harvest(rig.radio, heard);
        if (residentAfterWarmUp == 0) {
            residentAfterWarmUp = process::residentKiB();
        }
    }
    const double programCpu = process::threadCpuSeconds() - programCpuAtStart;
    const double processCpu = process::cpuSeconds() - processCpuAtStart;
    const long residentAtEnd = process::residentKiB();
    const std::vector<SimulatedRadio::Clock::time_point>& starts = heard.urStarts;
    const std::size_t others = heard.others;

    double spacingSum = 0;
    double deviationSum = 0;
    double worstDeviation = 0;
    for (std::size_t i = 1; i < starts.size(); ++i) {
        const double spacing =
            std::chrono::duration<double, std::milli>(starts[i] - starts[i - 1]).count();
        const double deviation = std::abs(spacing - periodMilliseconds);
        spacingSum += spacing;
        deviationSum += deviation;
        worstDeviation = std::max(worstDeviation, deviation);
    }
    const double spacings = starts.size() > 1 ? static_cast<double>(starts.size() - 1) : 1;

    std::printf("automatic resend for %d s against the simulated radio at %d baud, radio "
                "answering %s\n",
                seconds, rig.radio.baudRate(),
                reply.empty() ? "nothing" : ("\"" + reply + "\"").c_str());
    std::printf("sends:                  %zu (UR commands heard; other commands: %zu)\n",
                starts.size(), others);
    std::printf("UR spacing:             mean %.3f ms, mean deviation from %.0f ms %.3f ms, worst "
                "%.3f ms\n",
                spacingSum / spacings, periodMilliseconds, deviationSum / spacings, worstDeviation);
    std::printf("CPU seconds:            program %.3f s (%.3f %% of one core), whole process "
                "with the simulated radio %.3f s\n",
                programCpu, 100 * programCpu / seconds, processCpu);
    std::printf(
        "memory:                 resident %ld KiB after %lld s, %ld KiB at the end, "
        "peak %ld KiB\n",
        residentAfterWarmUp,
        std::min(static_cast<long long>(harvestEvery.count()), static_cast<long long>(seconds)),
        residentAtEnd, process::peakResidentKiB());
    std::printf("reports in the box:     %d (of them radio refusals: %d)\n", rig.notices.count(""),
                rig.notices.count("The radio answered"));
    return EXIT_SUCCESS;
}
