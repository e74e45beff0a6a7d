// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/SettingsStore.h"

#include <map>
#include <string>
#include <vector>

// Settings held in memory, keys without regard to case, that a test can make refuse writes.
class MemorySettingsStore : public SettingsStore {
public:
    struct Write {
        std::string key;
        std::string value;
        bool operator==(const Write&) const = default;
    };

    std::string writeFailure; // non-empty: every write fails with it
    std::string readFailure;  // what readProblem tells
    std::vector<Write> writes;
    std::vector<std::string> reads;

    void store(const std::string& key, const std::string& value) {
        values_[foldedKey(key)] = value;
    }
    bool has(const std::string& key) const { return values_.count(foldedKey(key)) != 0; }
    std::string value(const std::string& key) const {
        const auto found = values_.find(foldedKey(key));
        return found == values_.end() ? std::string{} : found->second;
    }

    std::string readSetting(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& fallback) override {
        reads.push_back(key);
        const auto found = values_.find(address(application, section, key));
        return found == values_.end() ? fallback : found->second;
    }

    Result writeSetting(const std::string& application, const std::string& section,
                        const std::string& key, const std::string& value) override {
        if (!writeFailure.empty()) {
            return Result::failure(writeFailure);
        }
        writes.push_back({key, value});
        values_[address(application, section, key)] = value;
        return Result::success();
    }

    std::string readProblem() override { return readFailure; }

private:
    static std::string address(const std::string& application, const std::string& section,
                               const std::string& key) {
        return application == "Sonavel" && section == "Properties"
                   ? foldedKey(key)
                   : foldedKey(application + "/" + section + "/" + key);
    }

    std::map<std::string, std::string> values_;
};
