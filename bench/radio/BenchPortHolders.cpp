// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// What the look for another program's hold on a device costs before every open, on the window's
// thread: the scan of every process's open files and of the lock table, the lock file, and the
// claim with its lock and exclusive mode; on a pseudo-terminal that nobody else holds.
//
//   bench_port_holders [rounds]
//
// rounds: looks timed; 200 unless given.

#include "system/DeviceClaim.h"
#include "system/PortHolders.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <pty.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void print(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-30s median %.3f ms, 90th percentile %.3f ms, worst %.3f ms\n", what,
                times[times.size() / 2], times[times.size() * 9 / 10], times.back());
}

// What the scan reads one by one: every process this user can see, and each one's open files.
void printScanned() {
    int processes = 0;
    int descriptors = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator process("/proc", error), end; !error && process != end;
         process.increment(error)) {
        const std::string name = process->path().filename().string();
        if (!std::all_of(name.begin(), name.end(), [](char c) { return std::isdigit(c) != 0; })) {
            continue;
        }
        ++processes;
        std::error_code hidden;
        for (std::filesystem::directory_iterator file(process->path() / "fd", hidden);
             !hidden && file != end; file.increment(hidden)) {
            ++descriptors;
        }
    }
    std::printf("%d processes, %d open files seen\n", processes, descriptors);
}
} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    if (rounds < 1) {
        std::fprintf(stderr,
                     "bench_port_holders: give the rounds as a whole number of 1 or more\n");
        return EXIT_FAILURE;
    }
    int master = -1;
    int slave = -1;
    char device[256] = {};
    if (openpty(&master, &slave, device, nullptr, nullptr) != 0) {
        std::perror("bench_port_holders: openpty");
        return EXIT_FAILURE;
    }
    ::close(slave);
    std::vector<double> scan;
    std::vector<double> lockFile;
    std::vector<double> claim;
    for (int round = 0; round < rounds; ++round) {
        Clock::time_point start = Clock::now();
        const bool held = !processesHolding(device).empty();
        scan.push_back(millisecondsSince(start));
        start = Clock::now();
        const bool locked = readLockFile(device).holder.has_value();
        lockFile.push_back(millisecondsSince(start));
        start = Clock::now();
        DeviceClaim claimed;
        const bool claimedElsewhere = claimed.take(device) != DeviceClaim::State::claimed;
        claimed.excludeOthers();
        claimed.release();
        claim.push_back(millisecondsSince(start));
        if (held || locked || claimedElsewhere) {
            std::fprintf(stderr, "bench_port_holders: %s is held elsewhere\n", device);
            return EXIT_FAILURE;
        }
    }
    printScanned();
    print("open files and lock table", scan);
    print("lock file", lockFile);
    print("claim taken and given back", claim);
    ::close(master);
    return EXIT_SUCCESS;
}
