// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "app/MainWindow.h"
#include "system/ExclusiveLock.h"
#include "system/SystemFile.h"
#include "tests/doubles/FakeSerialPort.h"
#include "tests/doubles/QueuedEventLoop.h"
#include "tests/doubles/RecordedMessageBox.h"
#include "tests/doubles/ScriptedFileDialog.h"
#include "tests/persistence/ChildProcess.h"
#include "tests/settings/SettingsFiles.h"

#include <QDateTime>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <memory>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>
#include <vector>

namespace {
std::vector<std::string> awkwardValues() {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) {
        everyByte += static_cast<char>(c);
    }
    // The longest keeps the file under the 64 KiB beyond which it is taken as damaged.
    return {"19200,N,8,1",
            "a, b ,c,",
            ",",
            "\"quoted\"",
            "say \"hi\" then \"",
            "back\\slash\\",
            "\\x41b\\0\\n",
            "  blanks at both ends  ",
            " ",
            "",
            "@ByteArray(00)",
            "@Variant(\\0\\0\\0\\x7f)",
            "@@",
            "; not a comment",
            "# nor this",
            "[Properties]",
            "key=value",
            "two\r\nlines\n",
            std::string("nul\0inside\0", 11),
            "\x01\x02\x1f\x7f",
            "\xe9t\xe9 \x80\xff\xa0",
            everyByte,
            std::string(48 << 10, 'F')};
}

std::string countedKey(std::size_t n) {
    return "Value" + std::to_string(n);
}
} // namespace

TEST(SettingsStore, AFirstStartFindsNothingAndReadingCreatesNoFile) {
    ComPortLink config;
    QtSettingsStore store;
    for (const char* key : {"CommPort", "Settings", "Bytes", "Msg"}) {
        EXPECT_EQ(readProperty(store, key), "(default)") << key;
    }
    EXPECT_FALSE(std::filesystem::exists(config.settingsFile()));

    std::filesystem::remove_all(config.folder() / "Sonavel");
    EXPECT_EQ(readProperty(store, "Msg"), "(default)");
}

TEST(SettingsStore, AwkwardValuesComeBackExactlyAlsoAfterARestart) {
    ComPortLink config;
    QtSettingsStore store;
    const std::vector<std::string> values = awkwardValues();
    for (std::size_t n = 0; n < values.size(); ++n) {
        const Result written = writeProperty(store, countedKey(n), values[n]);
        EXPECT_TRUE(written.ok()) << n << ": " << written.reason();
    }
    NextRun next(config);
    for (std::size_t n = 0; n < values.size(); ++n) {
        EXPECT_EQ(readProperty(store, countedKey(n)), values[n]) << "value " << n;
        EXPECT_EQ(readProperty(next.store, countedKey(n)), values[n]) << "value " << n;
    }
}

TEST(SettingsStore, KeysMatchWithoutRegardToCaseAndAWriteReplacesEveryCase) {
    ComPortLink config;
    writeFileBytes(config.settingsFile(), "[Properties]\nSETTINGS=4800,n,8,1\n"
                                          "Bytes=typed by hand\nBYTES=in two cases\n");
    QtSettingsStore store;
    const std::string handWritten = readProperty(store, "bytes");
    EXPECT_TRUE(handWritten == "typed by hand" || handWritten == "in two cases") << handWritten;
    NextRun sameFile(config);
    EXPECT_EQ(readProperty(sameFile.store, "bYtEs"), handWritten);
    EXPECT_EQ(readProperty(store, "Settings"), "4800,n,8,1");

    ASSERT_TRUE(writeProperty(store, "settings", "19200,n,8,1").ok());
    ASSERT_TRUE(writeProperty(store, "Bytes", "OFF").ok());
    NextRun next(config);
    for (const char* key : {"Settings", "settings", "SETTINGS"}) {
        EXPECT_EQ(readProperty(next.store, key), "19200,n,8,1") << key;
    }
    EXPECT_EQ(readProperty(next.store, "BYTES"), "OFF");
    const std::string file = fileBytes(config.settingsFile());
    EXPECT_EQ(file.find("4800"), std::string::npos) << file;
    EXPECT_EQ(file.find("hand"), std::string::npos) << file;
    EXPECT_EQ(file.find("cases"), std::string::npos) << file;
}

TEST(SettingsStore, AFileEditedByHandReadsAsTyped) {
    ComPortLink config;
    writeFileBytes(config.settingsFile(), "[General]\nMsg=not ours\n"
                                          "[Properties]\r\nSettings=19200,N,8,1\r\n"
                                          "CommPort = 3 \r\nBytes=\"Kestrum PRO\"\r\n"
                                          "Msg=@Rect(1 2 3 4)\r\n");
    QtSettingsStore store;
    EXPECT_EQ(readProperty(store, "Settings"), "19200,N,8,1");
    EXPECT_EQ(readProperty(store, "CommPort"), "3");
    EXPECT_EQ(readProperty(store, "Bytes"), "Kestrum PRO");
    EXPECT_EQ(readProperty(store, "Msg"), "(default)");
}

namespace {
// Someone else's entries beside the program's own, to the size asked.
std::string settingsFileOf(std::size_t size) {
    std::string file = "[Properties]\ncommport=3\nmsg=0123\n[Other]\n";
    while (file.size() + 80 < size) {
        file += "key" + std::to_string(file.size()) + "=" + std::string(64, 'A') + "\n";
    }
    return file + "last=" + std::string(size - file.size() - 6, 'Z') + "\n";
}

// The name a file moved aside the given seconds from now takes.
std::string damagedName(int seconds) {
    const QDateTime at = QDateTime::currentDateTime().addSecs(seconds);
    return "Sonavel.conf.damaged-" + at.toString("yyyyMMdd-HHmmss").toStdString();
}
} // namespace

// A file beyond 64 KiB, far more than the program writes, is damage: it is moved aside whole when
// the store is made, never over an earlier one, and told once; the defaults are used and the
// next choice starts a new file.
TEST(SettingsStore, AFileBeyond64KiBIsMovedAsideAndToldOnceAndOneUpToItIsKept) {
    struct Case {
        std::size_t size;
        bool namesTaken; // by earlier damaged files, for this second and the next two
    };
    for (const Case c : {Case{60 << 10, false}, Case{64 << 10, false}, Case{(64 << 10) + 1, false},
                         Case{65 << 10, true}}) {
        SCOPED_TRACE("size " + std::to_string(c.size));
        ComPortLink config;
        const std::filesystem::path folder = config.settingsFile().parent_path();
        const std::string contents = settingsFileOf(c.size);
        ASSERT_EQ(contents.size(), c.size);
        writeFileBytes(config.settingsFile(), contents);
        std::vector<std::string> taken;
        for (int second = 0; c.namesTaken && second < 3; ++second) {
            taken.push_back(damagedName(second));
            writeFileBytes(folder / taken.back(), "earlier");
        }
        const std::string nameBefore = damagedName(0);
        QtSettingsStore store;
        const std::string nameAfter = damagedName(0);
        const std::string told = store.readProblem();
        EXPECT_EQ(store.readProblem(), "");

        const bool damaged = c.size > 64 << 10;
        EXPECT_EQ(readProperty(store, "CommPort"), damaged ? "(default)" : "3");
        ASSERT_TRUE(writeProperty(store, "Bytes", "Sample 2").ok());
        NextRun next(config);
        EXPECT_EQ(readProperty(next.store, "Bytes"), "Sample 2");
        EXPECT_EQ(readProperty(next.store, "Msg"), damaged ? "(default)" : "0123");
        const std::vector<std::string> names = namesIn(folder);
        std::vector<std::string> expectedNames = taken;
        expectedNames.insert(expectedNames.end(), {"Sonavel.conf", "ports"});
        if (!damaged) {
            EXPECT_EQ(told, "");
            EXPECT_EQ(names, expectedNames);
            continue;
        }
        const std::string suffix = c.namesTaken ? "-2" : "";
        const bool movedAtStart =
            std::find(names.begin(), names.end(), nameBefore + suffix) != names.end();
        const std::filesystem::path aside =
            folder / ((movedAtStart ? nameBefore : nameAfter) + suffix);
        expectedNames.push_back(aside.filename().string());
        std::sort(expectedNames.begin(), expectedNames.end());
        EXPECT_EQ(names, expectedNames);
        EXPECT_TRUE(fileBytes(aside) == contents) << "the damaged file changed";
        EXPECT_EQ(told, config.settingsFile().string() +
                            " was larger than 64 KiB, so it was taken as damaged and moved to " +
                            aside.string());
        EXPECT_LT(std::filesystem::file_size(config.settingsFile()), 1024u);
        for (const std::string& name : taken) {
            EXPECT_EQ(fileBytes(folder / name), "earlier") << name;
        }
    }
}

// Its name leaves no room for the damaged mark, so the file cannot be moved aside: it is then
// left as it is and not read, until a write has replaced it.
TEST(SettingsStore, ADamagedFileThatCannotBeMovedAsideIsToldAndNotRead) {
    ComPortLink config;
    const std::filesystem::path file = config.folder() / std::string(240, 'S');
    const std::string contents = settingsFileOf(65 << 10);
    writeFileBytes(file, contents);
    QtSettingsStore store(QString::fromStdString(file.string()));
    EXPECT_EQ(store.readProblem(), file.string() +
                                       " is larger than 64 KiB, so it was taken as damaged, but "
                                       "it could not be moved aside (" +
                                       std::strerror(ENAMETOOLONG) + ")");
    EXPECT_EQ(store.readProblem(), "");
    EXPECT_EQ(readProperty(store, "CommPort"), "(default)");
    EXPECT_TRUE(fileBytes(file) == contents) << "the damaged file changed";
    ASSERT_TRUE(writeProperty(store, "Bytes", "Sample 2").ok());
    EXPECT_EQ(readProperty(store, "Bytes"), "Sample 2");
}

TEST(SettingsStore, OtherApplicationsAndSectionsKeepEntriesOfTheirOwn) {
    ComPortLink config;
    QtSettingsStore store;
    ASSERT_TRUE(writeProperty(store, "Msg", "ours").ok());
    ASSERT_TRUE(store.writeSetting("Sonavel", "Other", "Msg", "other section").ok());
    ASSERT_TRUE(store.writeSetting("Elsewhere", "Properties", "Msg", "other program").ok());

    NextRun next(config);
    EXPECT_EQ(readProperty(next.store, "Msg"), "ours");
    EXPECT_EQ(next.store.readSetting("Sonavel", "Other", "MSG", ""), "other section");
    EXPECT_EQ(next.store.readSetting("Elsewhere", "Properties", "msg", ""), "other program");
    EXPECT_EQ(next.store.readSetting("Elsewhere", "Other", "Msg", "none"), "none");
    EXPECT_NE(fileBytes(config.settingsFile()).find("[Properties]\nmsg=ours\n"), std::string::npos);
}

TEST(SettingsStore, AWriteThatCannotReachTheDiskIsReportedWithItsReason) {
    ComPortLink config;
    QtSettingsStore store;
    const std::filesystem::path folder = config.folder() / "Sonavel";

    std::filesystem::remove_all(folder);
    writeFileBytes(folder, "a file where the folder belongs");
    Result written = writeProperty(store, "Msg", "lost");
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.reason().find(folder.string()), std::string::npos) << written.reason();
    EXPECT_NE(written.reason().find("is a file"), std::string::npos) << written.reason();
    EXPECT_EQ(readProperty(store, "Msg"), "(default)");

    std::filesystem::remove(folder);
    std::filesystem::create_directories(config.settingsFile());
    written = writeProperty(store, "Bytes", "lost");
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.reason().find(config.settingsFile().string() + " is a folder"),
              std::string::npos)
        << written.reason();

    // Once the way is clear again, writes reach the disk as before; they need no temporary
    // folder, so one that cannot be used changes nothing.
    std::filesystem::remove(config.settingsFile());
    const std::filesystem::path notAFolder = config.folder() / "not-a-folder";
    writeFileBytes(notAFolder, "");
    {
        const VariableSetTo unusable("TMPDIR", notAFolder.c_str());
        written = writeProperty(store, "Bytes", "kept");
        EXPECT_TRUE(written.ok()) << written.reason();
        written = writeProperty(store, "Msg", "kept too");
        EXPECT_TRUE(written.ok()) << written.reason();
    }
    NextRun next(config);
    EXPECT_EQ(readProperty(next.store, "Bytes"), "kept");
    EXPECT_EQ(readProperty(next.store, "Msg"), "kept too");
}

TEST(SettingsStore, AFileTheUserMayNotWriteIsToldAsSuchNotAsAFullDisk) {
    ComPortLink config;
    QtSettingsStore store;
    ASSERT_TRUE(writeProperty(store, "Msg", "before").ok());
    using std::filesystem::perms;
    std::filesystem::permissions(config.settingsFile(),
                                 perms::owner_read | perms::group_read | perms::others_read);
    // Root may write any file, so the write is tried by a user without that power.
    const ChildOutcome refused = inChildProcess([&] {
        constexpr uid_t nobody = 65534;
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)) {
            return std::string("still root");
        }
        return writeProperty(store, "Msg", "after").reason();
    });
    ASSERT_TRUE(refused.survived()) << refused.howItEnded();
    EXPECT_EQ(refused.told, "The setting could not be saved: " + config.settingsFile().string() +
                                " cannot be written (" + std::strerror(EACCES) + ").");
    NextRun next(config);
    EXPECT_EQ(readProperty(next.store, "Msg"), "before");
}

// Qt takes a write the system cuts short for a whole one, so a cut file must not replace it.
TEST(SettingsStore, AWriteBeyondTheFileSizeLimitFailsAndLeavesTheFileWhole) {
    ComPortLink config;
    QtSettingsStore store;
    ASSERT_TRUE(writeProperty(store, "Msg", std::string(3000, '0')).ok());
    const std::string before = fileBytes(config.settingsFile());
    const ChildOutcome limited = inChildProcess([&] {
        failWritesBeyondFileSizeLimit();
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        return writeProperty(store, "Bytes", std::string(2000, '1')).reason();
    });
    ASSERT_TRUE(limited.survived()) << limited.howItEnded();
    EXPECT_NE(limited.told.find(std::strerror(EFBIG)), std::string::npos) << limited.told;
    EXPECT_TRUE(fileBytes(config.settingsFile()) == before) << "the file was cut";
}

namespace {
// The window model on the real settings store, the other platform parts doubled.
struct WindowOnSettingsFile {
    QueuedEventLoop loop;
    FakeSerialPort port{loop};
    QtSettingsStore settings;
    ScriptedFileDialog dialog;
    RecordedMessageBox messages;
    std::unique_ptr<MainWindow> window =
        std::make_unique<MainWindow>(Platform{port, settings, dialog, messages, loop});
};
} // namespace

TEST(SettingsStore, AWindowStartedAfterTheUsersChoicesShowsThemAgain) {
    ComPortLink config;
    std::string sampleName;
    std::string sentence;
    {
        WindowOnSettingsFile first;
        MainWindow& window = *first.window;
        window.portSelector.choose(2);
        window.rateSelector.choose(2);
        window.sampleSelector.choose(3);
        sampleName = window.sampleSelector.text();
        sentence = window.sentenceBox.text();
        ASSERT_EQ(sentence.size(), 128u);
        EXPECT_EQ(window.noticeBox.text(), "");
    }

    ComPortLink restartedConfig;
    std::filesystem::copy_file(config.settingsFile(), restartedConfig.settingsFile());
    WindowOnSettingsFile next;
    const MainWindow& window = *next.window;
    EXPECT_TRUE(next.messages.shown.empty());
    EXPECT_EQ(window.sampleSelector.text(), sampleName);
    EXPECT_EQ(window.sentenceBox.text(), sentence);
    EXPECT_EQ(window.digitStore.join(), sentence);
    EXPECT_EQ(window.portSelector.text(), "Com 3");
    EXPECT_EQ(next.port.portNumber(), 3);
    EXPECT_EQ(window.rateSelector.text(), "19200");
    EXPECT_EQ(next.port.lineSettings(), "19200,n,8,1");
}

TEST(SettingsStore, SettingsThatCannotBeReadAreToldOnceAfterStartUpWhichUsesTheDefaults) {
    ComPortLink config;
    const std::string file = config.settingsFile().string();
    struct Case {
        std::function<void()> make;
        std::string told; // empty: nothing to tell
    };
    const std::vector<Case> cases{
        {[&] { std::filesystem::create_directory(file); },
         file + " is a folder, where the settings file should be"},
        {[&] { std::filesystem::create_symlink(file, file); },
         file + " cannot be read (" + std::strerror(ELOOP) + ")"},
        {[&] { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); },
         file + " is a device, pipe or socket, where the settings file should be"},
        {[&] { writeFileBytes(file, "[Properties\ncommport=\"3\n\x01\x02"); }, ""},
        {[] {}, ""},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(file);
        c.make();
        WindowOnSettingsFile started;
        const MainWindow& window = *started.window;
        EXPECT_TRUE(started.messages.shown.empty()) << c.told;
        EXPECT_EQ(window.lineSelector.listCount(), 16) << c.told;
        const std::string& notices = window.noticeBox.text();
        if (c.told.empty()) {
            EXPECT_EQ(notices, "");
            continue;
        }
        EXPECT_EQ(window.portSelector.text(), "Com 1");
        EXPECT_EQ(std::count(notices.begin(), notices.end(), '\n'), 0) << notices;
        EXPECT_NE(
            notices.find("The settings were not read, so the defaults are used: " + c.told + "."),
            std::string::npos)
            << notices;
    }
}

// A relative path would follow the working folder, so the settings would vanish when the
// program is started elsewhere.
TEST(SettingsStore, TheSettingsFolderIsAnAbsolutePathOrItsAbsenceIsToldOnce) {
    const std::string fromDatabase = getpwuid(getuid())->pw_dir + std::string("/.config");
    for (const auto& [configHome, home, folder] :
         {std::tuple<const char*, const char*, std::string>{"/cfg", "/home/op", "/cfg"},
          {"relative", "/home/op", "/home/op/.config"},
          {"", nullptr, fromDatabase},
          {nullptr, "", fromDatabase},
          {nullptr, "relative", fromDatabase}}) {
        const VariableSetTo configFolder("XDG_CONFIG_HOME", configHome);
        const VariableSetTo homeFolder("HOME", home);
        EXPECT_EQ(QtSettingsStore().filePath().toStdString(), folder + "/Sonavel/Sonavel.conf");
    }
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can become a user whom the user database does not know";
    }
    const VariableSetTo configFolder("XDG_CONFIG_HOME", nullptr);
    const VariableSetTo homeFolder("HOME", nullptr);
    const ChildOutcome homeless = inChildProcess([] {
        constexpr uid_t unknownToTheDatabase = 54321;
        if (getuid() != unknownToTheDatabase && setuid(unknownToTheDatabase) != 0) {
            return std::string("still known");
        }
        QtSettingsStore store;
        const std::string told = store.readProblem();
        return told + "|" + store.readProblem() + "|" +
               writeProperty(store, "Msg", "lost").reason();
    });
    const std::string missing = "there is no folder for the settings, since HOME is not set and "
                                "the user database has no entry for user 54321; set HOME to "
                                "your home folder";
    EXPECT_EQ(homeless.told, missing + "||The setting could not be saved: " + missing + ".");
}

// Runs killed while writing leave Qt's lock with its chain of removal locks, the new copy not yet
// renamed over the file, or an older scratch file; none of that may grow from run to run.
TEST(SettingsStore, StartUpRemovesWhatKilledWritesLeftAndOnlyThatAndOnlyWhenNoneIsHeld) {
    const std::vector<std::string> leftovers{"Sonavel.conf.lock", "Sonavel.conf.lock.rmlock",
                                             "Sonavel.conf.lock.rmlock.rmlock",
                                             "Sonavel.conf.aB3xQ9", ".Sonavel.conf-Zk81Pq"};
    // The last of the chain is held by a live process removing a stale lock.
    const std::vector<std::string> kept{"Sonavel.conf",
                                        "Sonavel.conf.damaged-20261208-081502",
                                        "Sonavel.conf.aB3xQ",
                                        "Sonavel.conf.aB3xQ9z",
                                        "Sonavel.conf.lock.rmlock.old",
                                        "Sonavel.conf.lock.rmlock.rmlock.rmlock",
                                        "notes.txt"};
    for (const bool writeUnderWay : {false, true}) {
        ComPortLink config;
        const std::filesystem::path folder = config.settingsFile().parent_path();
        for (const auto& name : kept) {
            writeFileBytes(folder / name, "[Properties]\nmsg=kept\n");
        }
        for (const auto& name : leftovers) {
            writeFileBytes(folder / name, "");
        }
        std::filesystem::create_symlink("notes.txt", folder / "Sonavel.conf.Link42");
        const ExclusiveLock removing((folder / kept[5]).string());
        std::optional<ExclusiveLock> writing;
        if (writeUnderWay) {
            writing.emplace((folder / leftovers[0]).string());
        }
        QtSettingsStore store;
        EXPECT_EQ(readProperty(store, "Msg"), "kept");
        std::vector<std::string> expected = kept;
        expected.insert(expected.end(), {"Sonavel.conf.Link42", "ports"});
        if (writeUnderWay) {
            expected.insert(expected.end(), leftovers.begin(), leftovers.end());
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(namesIn(folder), expected) << (writeUnderWay ? "while a write is under way" : "");
    }
}
