// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/settings/RegistrySettingsStore.h"

#include "qt/Latin1Text.h"
#include "qt/settings/SettingValueText.h"
#include "settings/StoredSettings.h"
#include "system/SystemFile.h"
#include "system/WideText.h"

#include <QSettings>
#include <optional>
#include <windows.h>

namespace {
const std::string rootPath = "Software\\Sonavel";
const QString rootKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Sonavel");

std::string groupFor(const std::string& application, const std::string& section) {
    return application == stored::application ? section : application + "\\" + section;
}

// The registry itself matches names without regard to case; the name is folded as on every
// system, so that what is written is the same name the INI file holds.
QString nameFor(const std::string& key) {
    return toQString(foldedKey(key));
}

std::string shownKey(const std::string& path) {
    return "HKEY_CURRENT_USER\\" + path;
}

// QSettings tells no reason, so opening the key for writing is tried again with the system's
// own call, whose error names the cause.
std::string unwritableReason(const std::string& path) {
    HKEY key = nullptr;
    const LSTATUS opened = RegCreateKeyExW(HKEY_CURRENT_USER, wideText(path).c_str(), 0, nullptr, 0,
                                           KEY_SET_VALUE, nullptr, &key, nullptr);
    if (opened == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
    const std::string what = "the registry key " + shownKey(path) + " cannot be written";
    return "The setting could not be saved: " + what +
           (opened == ERROR_SUCCESS ? std::string{} : " (" + systemReason(opened) + ")") + ".";
}
} // namespace

std::string RegistrySettingsStore::readSetting(const std::string& application,
                                               const std::string& section, const std::string& key,
                                               const std::string& fallback) {
    QSettings settings(rootKey, QSettings::NativeFormat);
    settings.beginGroup(toQString(groupFor(application, section)));
    const QVariant value = settings.value(nameFor(key));
    return value.isValid() ? settingValueText(value).value_or(fallback) : fallback;
}

Result RegistrySettingsStore::writeSetting(const std::string& application,
                                           const std::string& section, const std::string& key,
                                           const std::string& value) {
    const QString name = nameFor(key);
    if (name.isEmpty()) {
        return Result::failure("A setting without a name cannot be saved.");
    }
    const std::string group = groupFor(application, section);
    QSettings settings(rootKey, QSettings::NativeFormat);
    settings.beginGroup(toQString(group));
    settings.setValue(name, toQString(value));
    // Flushes the key to disk, as the settings file is on disk when a write returns.
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        return Result::failure(unwritableReason(rootPath + "\\" + group));
    }
    return Result::success();
}

// No key yet is a first start; a key that is there but cannot be opened is told.
std::string RegistrySettingsStore::readProblem() {
    HKEY key = nullptr;
    const LSTATUS opened =
        RegOpenKeyExW(HKEY_CURRENT_USER, wideText(rootPath).c_str(), 0, KEY_READ, &key);
    if (opened == ERROR_SUCCESS) {
        RegCloseKey(key);
        return {};
    }
    if (opened == ERROR_FILE_NOT_FOUND) {
        return {};
    }
    return "the registry key " + shownKey(rootPath) + " cannot be read (" + systemReason(opened) +
           ")";
}
