// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// Open of a long sentence file in the real window, shown (offscreen unless a platform is
// set), next to a bare read yielding to the same event loop and touching no widget.
// Usage: bench_open_qt [lines, default 100000] [empty: lines of a bare CR each]

#include "app/MainWindow.h"
#include "bench/files/SentenceFileBench.h"
#include "qt/QtEventLoop.h"
#include "qt/window/WindowView.h"
#include "tests/doubles/FakeSerialPort.h"
#include "tests/doubles/MemorySettingsStore.h"
#include "tests/doubles/RecordedMessageBox.h"
#include "tests/doubles/ScriptedFileDialog.h"

#include <QApplication>
#include <string_view>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const int lines = bench::lineCountArgument(argc, argv);
    const bool empty = argc > 2 && std::string_view(argv[2]) == "empty";
    const auto path = empty ? bench::writeEmptyLines(lines) : bench::writeSentenceFile(lines);

    QtEventLoop loop;
    int bareLines = 0;
    const double bare =
        bench::secondsOf([&] { bareLines = bench::bareRead(path, [&] { loop.yield(); }); });
    bench::print("bare read, Qt yield after each", bareLines, bare);
    std::printf("Qt yield: %.2f us each\n", bareLines > 0 ? bare * 1e6 / bareLines : 0.0);

    QueuedEventLoop portEvents;
    FakeSerialPort port{portEvents};
    MemorySettingsStore settings;
    ScriptedFileDialog dialog;
    RecordedMessageBox messages;
    MainWindow window(Platform{port, settings, dialog, messages, loop});
    WindowView view(window, loop);
    view.show();
    QApplication::processEvents();
    dialog.choose(path.string(), path.filename().string());
    const double open = bench::secondsOf([&] { window.openButton.press(); });
    bench::print("Open in the shown window", lines, open);
    std::printf("Open / bare read: %.2f\n", bare > 0 ? open / bare : 0.0);

    std::filesystem::remove(path);
    return bareLines == lines && window.sentenceBox.text().size() == (empty ? 0u : 128u) ? 0 : 1;
}
