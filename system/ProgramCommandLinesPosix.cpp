// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/PortHolders.h"
#include "system/ProgramCommandLines.h"
#include "system/SystemFile.h"

#include <array>

namespace {
// Far beyond any rigctld's options; a longer command line is read no further.
constexpr std::size_t commandLineLimit = 64 * 1024;

std::vector<std::string> commandLineOf(int processId) {
    SystemFile file;
    if (file.openForReading("/proc/" + std::to_string(processId) + "/cmdline") != 0) {
        return {};
    }
    std::string bytes;
    std::array<char, 4096> chunk{};
    std::size_t count = 0;
    while (bytes.size() < commandLineLimit && file.read(chunk.data(), chunk.size(), count) == 0 &&
           count > 0) {
        bytes.append(chunk.data(), count);
    }
    // Each argument ends with a NUL.
    std::vector<std::string> words;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        words.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return words;
}
} // namespace

std::vector<std::vector<std::string>> commandLinesOf(const std::string& program) {
    std::vector<std::vector<std::string>> found;
    for (const Holder& process : processesNamed(program)) {
        if (std::vector<std::string> words = commandLineOf(process.processId); !words.empty()) {
            found.push_back(std::move(words));
        }
    }
    return found;
}
