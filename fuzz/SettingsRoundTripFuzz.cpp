// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/settings/QtSettingsStore.h"
#include "settings/StoredSettings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace {
std::filesystem::path folder;

void removeFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// Bit n of the pattern decides the case of letter n.
std::string cased(std::string key, unsigned pattern) {
    for (char& c : key) {
        c = static_cast<char>((pattern & 1U) != 0 ? std::toupper(static_cast<unsigned char>(c))
                                                  : std::tolower(static_cast<unsigned char>(c)));
        pattern = (pattern >> 1U) | ((pattern & 1U) << 7U);
    }
    return key;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (std::filesystem::temp_directory_path() / "sonavel-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    folder = pattern;
    std::atexit(removeFolder);
    return 0;
}

// The first byte picks the key and the case it is written in, the second the case the keys are
// read in; the rest is the value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& settings = stored::all;
    static std::array<std::optional<std::string>, std::tuple_size_v<decltype(stored::all)>>
        lastWritten;
    static unsigned long run = 0;
    if (size < 2) {
        return 0;
    }
    const std::size_t chosen = data[0] % settings.size();
    const std::string& key = settings[chosen]->key;
    // Four values this long, each character escaped in at most four bytes, keep the file under
    // the 64 KiB beyond which the store takes it as damaged.
    constexpr std::size_t longestValue = 4000;
    const std::string value(reinterpret_cast<const char*>(data) + 2,
                            std::min(size - 2, longestValue));

    const std::filesystem::path written = folder / "Sonavel" / "Sonavel.conf";
    QtSettingsStore writer(QString::fromStdString(written.string()));
    if (!writer.writeSetting(stored::application, stored::section, cased(key, data[0] >> 2U),
                             value)) {
        __builtin_trap();
    }
    lastWritten[chosen] = value;

    // A path never read before, so the value comes from the disk and not from what QSettings
    // remembers of its own write.
    const std::filesystem::path copy = folder / ("read-" + std::to_string(++run) + ".conf");
    std::filesystem::copy_file(written, copy);
    QtSettingsStore reader(QString::fromStdString(copy.string()));
    // Each write changes its own entry in the file the earlier ones left, and no other.
    for (std::size_t n = 0; n < settings.size(); ++n) {
        if (lastWritten[n] && reader.readSetting(stored::application, stored::section,
                                                 cased(settings[n]->key, data[1]),
                                                 "\x01missing") != *lastWritten[n]) {
            __builtin_trap();
        }
    }
    std::filesystem::remove(copy);
    return 0;
}
