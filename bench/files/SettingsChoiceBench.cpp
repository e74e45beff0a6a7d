// Sample choices with a large settings file on the real settings store: the time of each choice
// (two settings written) and the resident memory before and after.
// Usage: bench_settings_choice [megabytes, default 50] [keys: many short entries | value: one]

#include "bench/files/SentenceFileBench.h"
#include "platform/qt/settings/QtSettingsStore.h"
#include "tests/doubles/TestWindow.h"
#include "tests/support/ComPortLink.h"
#include "tests/support/ProcessFigures.h"

#include <malloc.h>
#include <string_view>

namespace {
// Someone else's entries beside the program's own, as a file edited or damaged by other hands.
std::string largeSettings(std::size_t bytes, bool oneValue) {
    std::string file = "[Properties]\nCommPort=3\nsettings=\"19200,N,8,1\"\nBytes=OFF\n";
    file += "Msg=" + std::string(128, '0') + "\n[Other]\n";
    if (oneValue) {
        file += "value=" + std::string(bytes, '7') + "\n";
        return file;
    }
    for (std::size_t n = 0; file.size() < bytes; ++n) {
        file += "key" + std::to_string(n) + "=" + std::string(64, 'A' + n % 26) + "\n";
    }
    return file;
}
} // namespace

int main(int argc, char* argv[]) {
    const auto megabytes = static_cast<std::size_t>(bench::lineCountArgument(argc, argv, 50));
    const bool oneValue = argc > 2 && std::string_view(argv[2]) == "value";
    ComPortLink config;
    std::ofstream(config.settingsFile(), std::ios::binary)
        << largeSettings(megabytes << 20, oneValue);
    std::printf("settings file: %ju bytes, %s\n",
                static_cast<std::uintmax_t>(std::filesystem::file_size(config.settingsFile())),
                oneValue ? "one large value" : "many short entries");
    const long residentAtStart = process::residentKiB();

    QtSettingsStore store;
    TestWindow t;
    double startUp = 0;
    startUp = bench::secondsOf([&] {
        t.window =
            std::make_unique<MainWindow>(Platform{t.port, store, t.dialog, t.messages, t.loop});
    });
    std::printf("start-up: %.3f s, resident %ld KiB (%ld KiB before)\n", startUp,
                process::residentKiB(), residentAtStart);

    bool allSaved = true;
    for (int choice = 1; choice <= 3; ++choice) {
        const double seconds = bench::secondsOf([&] { t.window->sampleSelector.choose(choice); });
        allSaved = allSaved && t.window->noticeBox.text().empty();
        std::printf("choice %d: %.3f s, resident %ld KiB\n", choice, seconds,
                    process::residentKiB());
    }
    std::printf("peak resident %ld KiB\n", process::peakResidentKiB());
    malloc_trim(0);
    std::printf("resident after malloc_trim: %ld KiB\n", process::residentKiB());
    return allSaved && store.readSetting("Sonavel", "Properties", "Bytes", "") ==
                           t.window->sampleSelector.text()
               ? 0
               : 1;
}
