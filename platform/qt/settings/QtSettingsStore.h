#pragma once

#include "platform/SettingsStore.h"

class QtSettingsStore : public SettingsStore {
public:
    std::string readSetting(const std::string&, const std::string&, const std::string&,
                            const std::string& fallback) override {
        return fallback;
    }
    Result writeSetting(const std::string&, const std::string&, const std::string&,
                        const std::string&) override {
        return Result::failure("not built yet");
    }
};
