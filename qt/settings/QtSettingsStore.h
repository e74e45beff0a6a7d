// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/SettingsStore.h"

#include <QString>
#include <functional>

// The per-user settings in an INI file, Sonavel/Sonavel.conf in the user's configuration
// folder, whose place is fixed when the store is made. When the window's store is made, what
// killed writes left beside the file is removed, and a file larger than 64 KiB is taken as
// damaged and moved aside, so that the defaults are used. A write waits at most half a second for
// its turn. A store that only reads does none of this: it leaves the file, and all beside it, as
// the window will find it, and reads nothing from a file that the window would take as damaged.
class QtSettingsStore : public SettingsStore {
public:
    enum class Access { readWrite, readOnly };

    explicit QtSettingsStore(Access access = Access::readWrite);
    explicit QtSettingsStore(QString filePath, Access access = Access::readWrite);

    const QString& filePath() const { return filePath_; }
    // Called between tries while a write waits for its turn: an ending signal may end the
    // program there.
    void whileWaiting(std::function<void()> check) { whileWaiting_ = std::move(check); }

    std::string readSetting(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& fallback) override;
    Result writeSetting(const std::string& application, const std::string& section,
                        const std::string& key, const std::string& value) override;
    std::string readProblem() override;

private:
    QString filePath_; // empty when the user has no configuration folder
    Access access_;
    std::function<void()> whileWaiting_;
    // Why there is no settings file, for the first readProblem.
    std::string noFolderNotice_;
    // What the first readProblem tells: where a damaged file went, or why it could not be moved.
    std::string damageNotice_;
    // A damaged file that could not be moved aside, or may not be, is not read until a write has
    // replaced it.
    bool damagedFileInPlace_ = false;
};
