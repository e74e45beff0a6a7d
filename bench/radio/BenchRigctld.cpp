// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// How long one Update takes to reach the radio whole, from the write of its UR to the radio's
// receipt of the last byte of its UT: directly on the serial device, and through Hamlib's
// rigctld on the same device. The simulated radio reads at once, so the figures are the cost
// of the path, not of the line.
//
//   bench_rigctld [updates]
//
// updates: how many Updates each path sends, one every 100 ms, 200 unless given.

#include "qt/serial/QtSerialPort.h"
#include "sentence/Samples.h"
#include "tests/support/ComPortLink.h"
#include "tests/support/RigctldProcess.h"
#include "tests/support/SimulatedRadio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {
using Milliseconds = std::chrono::duration<double, std::milli>;

// Runs the event loop until done() or the limit.
template <class Done> bool runUntil(Done done, int milliseconds = 10000) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > milliseconds) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

// The moment the radio had the UT of the Update whose UR it had not heard before.
std::optional<SimulatedRadio::Clock::time_point> updateArrived(const SimulatedRadio& radio) {
    for (const auto& command : radio.commands()) {
        if (command.text.rfind("UT", 0) == 0) {
            return command.end;
        }
    }
    return std::nullopt;
}

void measure(const char* path, QtSerialPort& port, SimulatedRadio& radio, int updates) {
    const std::string sentence(samples::table[3].sentence);
    std::vector<double> took;
    for (int update = 0; update < updates; ++update) {
        radio.clear();
        const auto start = SimulatedRadio::Clock::now();
        if (!port.write("UR" + sentence + ";") || !port.write("UT" + sentence + ";") ||
            !runUntil([&] { return updateArrived(radio).has_value(); })) {
            std::fprintf(stderr, "bench_rigctld: update %d did not arrive %s\n", update, path);
            std::exit(EXIT_FAILURE);
        }
        took.push_back(Milliseconds(*updateArrived(radio) - start).count());
        runUntil([&] { return !port.isLineBusy(); });
        QElapsedTimer gap;
        gap.start();
        runUntil([&] { return gap.elapsed() >= 100; });
    }
    std::sort(took.begin(), took.end());
    const auto over = std::count_if(took.begin(), took.end(), [](double ms) { return ms > 50; });
    std::printf("%-9s %d Updates: median %.2f ms, 90th percentile %.2f ms, worst %.1f ms; %ld "
                "over 50 ms\n",
                path, updates, took[took.size() / 2], took[took.size() * 9 / 10], took.back(),
                static_cast<long>(over));
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int updates = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 200;
    if (!RigctldProcess::isInstalled()) {
        std::fprintf(stderr, "bench_rigctld: rigctld is not installed (libhamlib-utils)\n");
        return EXIT_FAILURE;
    }
    SimulatedRadio radio;
    radio.answerOpenQueries();
    ComPortLink config;
    config.link(3, radio.slavePath());
    const int rigctldPort = RigctldProcess::freePort();
    std::ofstream(config.folder() / "Sonavel" / "ports" / "com6")
        << "rigctld localhost:" << rigctldPort << "\n";

    QtSerialPort port;
    if (!port.setPortNumber(3) || !port.setLineSettings("57600,N,8,1") || !port.setOpen(true)) {
        std::fprintf(stderr, "bench_rigctld: the serial device did not open\n");
        return EXIT_FAILURE;
    }
    measure("directly", port, radio, updates);
    static_cast<void>(port.setOpen(false));

    RigctldProcess rigctld(radio.slavePath(), rigctldPort);
    if (!rigctld.waitUntilListening() || !port.setPortNumber(6) || !port.setOpen(true) ||
        !runUntil([&] { return port.isOpen(); })) {
        std::fprintf(stderr, "bench_rigctld: rigctld did not start or answer\n");
        return EXIT_FAILURE;
    }
    measure("rigctld", port, radio, updates);
    return EXIT_SUCCESS;
}
