// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/SettingsStore.h"

#include <functional>

// The per-user settings in the registry, as Windows programs keep theirs: each section is a key
// under HKEY_CURRENT_USER\Software\Sonavel, each setting a string value in it.
class RegistrySettingsStore : public SettingsStore {
public:
    std::string readSetting(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& fallback) override;
    Result writeSetting(const std::string& application, const std::string& section,
                        const std::string& key, const std::string& value) override;
    std::string readProblem() override;
    // The registry takes each value whole and never makes a writer wait for another program,
    // so there is no wait during which the program would have to end; check is not called.
    void whileWaiting(const std::function<void()>& check) { static_cast<void>(check); }
};
