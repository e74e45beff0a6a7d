// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/SettingsStore.h"

#include <array>
#include <string>

// What the program keeps in the per-user settings, declared once. Every value is text, read
// with an empty fallback: an empty text counts as nothing stored. The key names are those the
// program has always used, so that settings kept by any earlier version still read.
namespace stored {
inline const std::string application = "Sonavel";
inline const std::string section = "Properties";

struct Setting {
    // The key read; keys match without regard to letter case.
    std::string key;
    // The key written: the rate selector has always written its key in lower case.
    std::string writtenKey;
    std::string fallback;
};

// clang-format off
// The port number last chosen, as decimal text: "3" for Com 3.
inline const Setting portNumber  {"CommPort", "CommPort", ""};
// The line settings as the port reported them after a rate was chosen: "19200,N,8,1".
inline const Setting lineSettings{"Settings", "settings", ""};
// The name of the sample last chosen: "Kestrum PRO".
inline const Setting sampleName  {"Bytes",    "Bytes",    ""};
// The sample's sentence: 128 hexadecimal digits.
inline const Setting sentence    {"Msg",      "Msg",      ""};
// clang-format on

// In the order start-up reads them.
inline const std::array<const Setting*, 4> all{&portNumber, &lineSettings, &sampleName, &sentence};

inline std::string read(SettingsStore& store, const Setting& setting) {
    return store.readSetting(application, section, setting.key, setting.fallback);
}

// Settings that exist but could not be read, in the window's words.
inline std::string notReadReport(const std::string& problem) {
    return "The settings were not read, so the defaults are used: " + problem + ".";
}

inline Result write(SettingsStore& store, const Setting& setting, const std::string& value) {
    return store.writeSetting(application, section, setting.writtenKey, value);
}
} // namespace stored
