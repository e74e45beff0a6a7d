// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/CommandArguments.h"
#include "system/WideText.h"

#include <cwchar>
#include <windows.h>

std::vector<std::string> commandArguments(int, char*[]) {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int at = 1; words != nullptr && at < count; ++at) {
        arguments.push_back(utf8Text(words[at], std::wcslen(words[at])));
    }
    LocalFree(words);
    return arguments;
}
