// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/PortHolders.h"
#include "system/ProgramCommandLines.h"

std::vector<std::vector<std::string>> commandLinesOf(const std::string& program) {
    std::vector<std::vector<std::string>> found;
    for (const Holder& process : processesNamed(program)) {
        if (std::vector<std::string> words = commandLineOf(process.processId); !words.empty()) {
            found.push_back(std::move(words));
        }
    }
    return found;
}
