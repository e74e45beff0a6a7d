// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "store/InputFile.h"
#include "store/LineReader.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace bench {
inline int lineCountArgument(int argc, char* argv[], int otherwise = 100000) {
    return argc > 1 ? std::atoi(argv[1]) : otherwise;
}

inline std::filesystem::path benchFilePath() {
    return std::filesystem::temp_directory_path() /
           ("sonavel-bench-open-" + std::to_string(std::random_device{}()) + ".txt");
}

// A sentence file of the given number of 128-digit lines, each a different sentence.
inline std::filesystem::path writeSentenceFile(int lines) {
    const auto path = benchFilePath();
    std::ofstream out(path, std::ios::binary);
    std::string line(128, '0');
    for (int n = 0; n < lines; ++n) {
        for (std::size_t p = 0; p < line.size(); ++p) {
            line[p] = "0123456789ABCDEF"[(static_cast<std::size_t>(n) * 31 + p * 7) % 16];
        }
        out << line << "\r\n";
    }
    return path;
}

// As many empty lines as asked, each a bare CR: the most lines a file of its size can hold.
inline std::filesystem::path writeEmptyLines(int lines) {
    const auto path = benchFilePath();
    std::ofstream(path, std::ios::binary) << std::string(static_cast<std::size_t>(lines), '\r');
    return path;
}

template <typename Action> double secondsOf(Action action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Reads every line and yields after each, touching nothing else: the floor for Open.
template <typename Yield> int bareRead(const std::filesystem::path& path, Yield yield) {
    InputFile file;
    if (!file.open(path.string())) {
        return -1;
    }
    LineReader reader(file);
    std::string line;
    int lines = 0;
    while (reader.next(line) == LineReader::Step::line) {
        ++lines;
        yield();
    }
    return lines;
}

inline void print(const char* what, int lines, double seconds) {
    std::printf("%-34s %8d lines %9.4f s %12.0f lines/s\n", what, lines, seconds,
                seconds > 0 ? lines / seconds : 0.0);
}
} // namespace bench
