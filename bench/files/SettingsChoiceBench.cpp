// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// Sample choices on the real settings store with a settings file near the 64 KiB beyond which it
// is taken as damaged: the time of start-up and of each choice, which writes two settings.
// Usage: bench_settings_choice [KiB, default 60]

#include "bench/files/SentenceFileBench.h"
#include "qt/settings/QtSettingsStore.h"
#include "tests/doubles/TestWindow.h"
#include "tests/support/ComPortLink.h"

namespace {
// Someone else's entries beside the program's own, as a file edited by other hands.
std::string settingsOf(std::size_t bytes) {
    std::string file = "[Properties]\nCommPort=3\nsettings=\"19200,N,8,1\"\nBytes=OFF\n";
    file += "Msg=" + std::string(128, '0') + "\n[Other]\n";
    for (std::size_t n = 0; file.size() + 72 < bytes; ++n) {
        file += "key" + std::to_string(n) + "=" + std::string(64, 'A' + n % 26) + "\n";
    }
    return file;
}
} // namespace

int main(int argc, char* argv[]) {
    const auto kibibytes = static_cast<std::size_t>(bench::lineCountArgument(argc, argv, 60));
    ComPortLink config;
    std::ofstream(config.settingsFile(), std::ios::binary) << settingsOf(kibibytes << 10);
    std::printf("settings file: %ju bytes\n",
                static_cast<std::uintmax_t>(std::filesystem::file_size(config.settingsFile())));

    QtSettingsStore store;
    TestWindow t;
    const double startUp = bench::secondsOf([&] {
        t.window =
            std::make_unique<MainWindow>(Platform{t.port, store, t.dialog, t.messages, t.loop});
    });
    std::printf("start-up: %.2f ms\n", startUp * 1000);

    bool allSaved = true;
    for (int choice = 1; choice <= 3; ++choice) {
        const double seconds = bench::secondsOf([&] { t.window->sampleSelector.choose(choice); });
        allSaved = allSaved && t.window->noticeBox.text().empty();
        std::printf("choice %d: %.2f ms\n", choice, seconds * 1000);
    }
    return allSaved && store.readSetting("Sonavel", "Properties", "Bytes", "") ==
                           t.window->sampleSelector.text()
               ? 0
               : 1;
}
