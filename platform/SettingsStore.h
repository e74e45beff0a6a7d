// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/Result.h"

#include <string>

// Keys are compared in this form. Only ASCII letters fold, as they always have for these keys;
// a Latin-1 letter stays itself.
inline std::string foldedKey(std::string key) {
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return key;
}

// The per-user settings. Keys match without regard to letter case; values are kept exactly.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or fallback when there is no such entry.
    virtual std::string readSetting(const std::string& application, const std::string& section,
                                    const std::string& key, const std::string& fallback) = 0;
    // On disk when it returns; a failure when the value could not be kept.
    virtual Result writeSetting(const std::string& application, const std::string& section,
                                const std::string& key, const std::string& value) = 0;
    // Why settings that exist could not be read, so that the reads answered their defaults;
    // empty when they were read or there are none yet.
    virtual std::string readProblem() { return {}; }
};
