#pragma once

#include "platform/SettingsStore.h"

#include <QString>

// The per-user settings in an INI file, Sonavel/Sonavel.conf in the user's configuration
// folder, whose place is fixed when the store is made. A file there larger than 64 KiB is taken
// as damaged when the store is made and moved aside, so that the defaults are used.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    explicit QtSettingsStore(QString filePath);

    const QString& filePath() const { return filePath_; }

    std::string readSetting(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& fallback) override;
    Result writeSetting(const std::string& application, const std::string& section,
                        const std::string& key, const std::string& value) override;
    std::string readProblem() override;

private:
    QString filePath_;
    // What the first readProblem tells: where a damaged file went, or why it could not be moved.
    std::string damageNotice_;
    // A damaged file that could not be moved aside is not read until a write has replaced it.
    bool damagedFileInPlace_ = false;
};
