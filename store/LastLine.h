// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "store/LineReader.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

struct LastLine {
    // Nothing when the bytes held no line at all.
    std::optional<std::string> line;
    std::size_t lineCount = 0;
    // Why reading stopped early, worded for the user; empty when it reached the end.
    std::string failure;
};

// Reads a sentence file's lines to the end and keeps the last: a sentence file is appended to,
// so its newest sentence stands last. Each line goes to eachLine as soon as it is read.
LastLine readLastLine(ByteSource& source,
                      const std::function<void(const std::string&)>& eachLine = nullptr);
