// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "store/LastLine.h"

LastLine readLastLine(ByteSource& source, const std::function<void(const std::string&)>& eachLine) {
    LineReader reader(source);
    LastLine last;
    std::string line;
    LineReader::Step step;
    while ((step = reader.next(line)) == LineReader::Step::line) {
        ++last.lineCount;
        if (eachLine) {
            eachLine(line);
        }
        // A swap, not a copy: a file of millions of lines must read as fast as the lines come.
        if (!last.line) {
            last.line.emplace();
        }
        last.line->swap(line);
    }
    if (step == LineReader::Step::failed) {
        last.failure = reader.failure();
    }
    return last;
}
