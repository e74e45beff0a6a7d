// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/Latin1Text.h"
#include "radio/LineSettings.h"
#include "settings/StoredPortNumber.h"
#include "tests/doubles/TestWindow.h"
#include "tests/settings/SettingsFiles.h"
#include "tests/support/Watchdog.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <random>

namespace {

class HostileFiles {
public:
    explicit HostileFiles(unsigned seed) : random_(seed) {}

    std::string next(int index) {
        if (pick(4) == 0) {
            return bytes(pick(4096));
        }
        std::string file;
        const int lines = 1 + pick(30);
        for (int n = 0; n < lines; ++n) {
            file += line() + lineEnd();
        }
        if (index % 10 == 0) {
            file += "[Properties]\n" + casing("Msg") + "=" + std::string(1 << 20, '7') + "\n";
        }
        return file;
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    std::string bytes(int length) {
        std::string text;
        for (int n = 0; n < length; ++n) {
            text += static_cast<char>(pick(256));
        }
        return text;
    }

    std::string casing(std::string key) {
        for (char& c : key) {
            if (pick(2) == 0) {
                c = static_cast<char>(std::isupper(static_cast<unsigned char>(c))
                                          ? std::tolower(static_cast<unsigned char>(c))
                                          : std::toupper(static_cast<unsigned char>(c)));
            }
        }
        return key;
    }

    std::string lineEnd() {
        static const char* const ends[] = {"\n", "\r\n", "\r", ""};
        return ends[pick(4)];
    }

    std::string line() {
        switch (pick(8)) {
        case 0: {
            static const char* const groups[] = {"[Properties]", "[properties]",  "[Properties",
                                                 "[]",           "[General]",     "[%50roperties]",
                                                 "Properties]",  "[[Properties]]"};
            return groups[pick(8)];
        }
        case 1:
            return "[" + bytes(pick(20)) + "]";
        case 2:
            return ";" + bytes(pick(40));
        case 3:
            return bytes(pick(200));
        default: {
            static const char* const keys[] = {"CommPort", "Settings", "Bytes", "Msg"};
            return casing(keys[pick(4)]) + (pick(4) == 0 ? " = " : "=") + value();
        }
        }
    }

    std::string value() {
        static const char* const values[] = {"3",
                                             "x",
                                             "1e99999",
                                             "-0.5",
                                             "  4  ",
                                             "2.5",
                                             "99999999999999999999",
                                             "19200,N,8,1",
                                             "9600,n,8,1",
                                             "57600,E,7,2",
                                             "19200",
                                             "300,Q,8,1",
                                             ",",
                                             "\"19200,N,8,1\"",
                                             "\"open",
                                             "a\"b\"c",
                                             "\\",
                                             "\\x",
                                             "\\x123456789abc",
                                             "@Variant(",
                                             "@ByteArray(",
                                             "@Rect(1 2)",
                                             "@@",
                                             "OFF"};
        switch (pick(5)) {
        case 0:
            return bytes(pick(100));
        case 1:
            return "@Variant(" + bytes(pick(64)) + ")";
        case 2:
            return std::string(static_cast<std::size_t>(1 + pick(4000)), "0F\\\","[pick(4)]);
        default:
            return values[pick(static_cast<int>(std::size(values)))];
        }
    }

    std::mt19937 random_;
};

unsigned chosenSeed() {
    const char* replay = std::getenv("SONAVEL_SETTINGS_SEED");
    return replay != nullptr ? static_cast<unsigned>(std::strtoul(replay, nullptr, 10)) : 20611u;
}
} // namespace

// A settings file edited or damaged by anything: start-up completes, with its warning where a
// stored value cannot be used, shows what the file holds, and leaves the file as it found it.
TEST(HostileSettings, StartUpOnDamagedFilesCompletesOrShowsItsOneWarning) {
    const unsigned seed = chosenSeed();
    std::cout << "seed " << seed << " (SONAVEL_SETTINGS_SEED=" << seed << " replays it)\n";
    HostileFiles files(seed);
    int completed = 0;
    int warned = 0;
    for (int index = 0; index < 200; ++index) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", file " + std::to_string(index));
        ComPortLink config;
        const std::string contents = files.next(index);
        writeFileBytes(config.settingsFile(), contents);
        const Watchdog watchdog(std::chrono::seconds(60), "start-up on file " +
                                                              std::to_string(index) + " of seed " +
                                                              std::to_string(seed));

        QtSettingsStore store;
        TestWindow t;
        t.window =
            std::make_unique<MainWindow>(Platform{t.port, store, t.dialog, t.messages, t.loop});
        const MainWindow& window = *t.window;

        const std::string portText = readProperty(store, "CommPort");
        const std::string lineSettings = readProperty(store, "Settings");
        const bool portFails =
            portText != "(default)" && !portText.empty() && !parseStoredPortNumber(portText).number;
        const bool expectWarning = lineSettings != "(default)" && !lineSettings.empty() &&
                                   (portFails || !parseLineSettings(lineSettings).settings);

        if (t.messages.shown.empty()) {
            ++completed;
            EXPECT_FALSE(expectWarning);
        } else {
            ++warned;
            EXPECT_TRUE(expectWarning);
            ASSERT_EQ(t.messages.shown.size(), 1u);
            EXPECT_EQ(t.messages.shown[0].caption, "Sonavel");
        }
        EXPECT_EQ(window.lineSelector.listCount(), 16);
        const std::string sample = readProperty(store, "Bytes");
        const std::string sentence = readProperty(store, "Msg");
        EXPECT_EQ(window.sampleSelector.text(),
                  sample == "(default)" || sample.empty() ? "Select Sample" : sample);
        EXPECT_EQ(window.sentenceBox.text(), sentence == "(default)" ? "" : sentence);
        // A file beyond 64 KiB is moved aside as it is, which the notice box tells.
        std::filesystem::path found = config.settingsFile();
        if (contents.size() > 64 << 10) {
            const std::vector<std::string> names = namesIn(found.parent_path());
            ASSERT_EQ(names.size(), 2u);
            found.replace_filename(names[0]);
            EXPECT_NE(
                window.noticeBox.text().find("taken as damaged and moved to " + found.string()),
                std::string::npos)
                << window.noticeBox.text();
        }
        EXPECT_TRUE(fileBytes(found) == contents) << "start-up changed the file";
    }
    std::cout << completed << " start-ups completed without a warning, " << warned << " with it\n";
    EXPECT_GT(completed, 0);
    EXPECT_GT(warned, 0);
}
