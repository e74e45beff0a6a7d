// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/Result.h"
#include "store/LineReader.h"
#include "system/SystemFile.h"

#include <string>

// A sentence file opened for reading. Only a regular file opens, and opening never waits.
class InputFile : public ByteSource {
public:
    Result open(const std::string& path);
    // Standard input, whatever it is: a script pipes a sentence in. Read through a copy of the
    // descriptor, so that closing this file leaves standard input open.
    Result openStandardInput();
    Chunk read(char* buffer, std::size_t capacity) override;

private:
    SystemFile file_;
};
