// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "controls/NoticeBox.h"

#include "system/LocalTime.h"

#include <chrono>
#include <ctime>
#include <deque>
#include <sstream>

namespace {
std::string clockTime() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::tm local = localTime(now);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}
} // namespace

void NoticeBox::report(const std::string& news) {
    std::deque<std::string> lines;
    std::istringstream existing(text());
    for (std::string line; std::getline(existing, line);) {
        lines.push_back(line);
    }
    lines.push_back(clockTime() + " " + news);
    while (lines.size() > lineLimit) {
        lines.pop_front();
    }
    std::string joined;
    for (const auto& line : lines) {
        if (!joined.empty()) {
            joined += '\n';
        }
        joined += line;
    }
    setText(joined);
}
