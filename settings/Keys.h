#pragma once

#include "platform/SettingsStore.h"

#include <string>

// The program's own entries in the per-user settings: application "Sonavel", section
// "Properties". An empty text counts as nothing stored.
namespace properties {
inline const std::string application = "Sonavel";
inline const std::string section = "Properties";

inline const std::string commPort = "CommPort";
inline const std::string settingsRead = "Settings";
// The baud selector has always written the key in lower case; the store ignores case.
inline const std::string settingsWritten = "settings";
inline const std::string bytes = "Bytes";
inline const std::string msg = "Msg";

inline std::string read(SettingsStore& store, const std::string& key) {
    return store.readSetting(application, section, key, "");
}

inline Result write(SettingsStore& store, const std::string& key, const std::string& value) {
    return store.writeSetting(application, section, key, value);
}
} // namespace properties
