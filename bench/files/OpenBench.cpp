// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// Open of a long sentence file on the window model, next to a bare read of the same lines.
// Usage: bench_open [lines, default 100000]

#include "bench/files/SentenceFileBench.h"
#include "tests/doubles/TestWindow.h"

int main(int argc, char* argv[]) {
    const int lines = bench::lineCountArgument(argc, argv);
    const auto path = bench::writeSentenceFile(lines);
    std::printf("file: %s, %ju bytes\n", path.c_str(),
                static_cast<std::uintmax_t>(std::filesystem::file_size(path)));

    QueuedEventLoop idle;
    int bareLines = 0;
    const double bare =
        bench::secondsOf([&] { bareLines = bench::bareRead(path, [&] { idle.yield(); }); });
    bench::print("bare read, yield after each line", bareLines, bare);

    TestWindow t;
    MainWindow& window = t.start();
    t.dialog.choose(path.string(), path.filename().string());
    const double open = bench::secondsOf([&] { window.openButton.press(); });
    bench::print("Open on the window model", t.loop.yieldCount(), open);
    std::printf("Open / bare read: %.2f\n", bare > 0 ? open / bare : 0.0);

    std::filesystem::remove(path);
    const bool loadedAll = t.loop.yieldCount() == lines && bareLines == lines &&
                           window.digitStore.join() == window.sentenceBox.text() &&
                           window.sentenceBox.text().size() == 128;
    return loadedAll ? 0 : 1;
}
