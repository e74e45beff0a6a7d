#pragma once

#include "platform/SettingsStore.h"

#include <QString>

// The per-user settings in an INI file, Sonavel/Sonavel.conf in the user's configuration
// folder, whose place is fixed when the store is made.
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
};
