// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

// What the process costs, as the soak tests and benchmarks watch it.
namespace process {
inline int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count - 1; // the listing's own descriptor
}

namespace detail {
// A "Vm..." line of /proc/self/status, in KiB; the resident figure and its peak come from the
// same count there, so the peak is never below a resident figure read before it.
inline long statusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;) {
        if (key == field) {
            long value = 0;
            status >> value;
            return value;
        }
        status.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return -1;
}

inline double seconds(const rusage& usage) {
    const auto of = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
    };
    return of(usage.ru_utime) + of(usage.ru_stime);
}
} // namespace detail

inline long residentKiB() {
    return detail::statusKiB("VmRSS:");
}

inline long peakResidentKiB() {
    return detail::statusKiB("VmHWM:");
}

inline double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return detail::seconds(usage);
}

// The calling thread alone: the program's own share when a simulated radio runs beside it on
// threads of its own.
inline double threadCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return detail::seconds(usage);
}

// Every byte the calling thread has handed to write calls of any kind, whatever the target.
inline long long threadBytesWritten() {
    std::ifstream io("/proc/thread-self/io");
    for (std::string key; io >> key;) {
        long long value = 0;
        io >> value;
        if (key == "wchar:") {
            return value;
        }
    }
    return -1;
}
} // namespace process
