// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "sentence/Samples.h"
#include "store/LineReader.h"
#include "system/SystemFile.h"
#include "tests/doubles/TestWindow.h"
#include "tests/persistence/SystemCases.h"
#include "tests/persistence/TempFolder.h"
#include "tests/support/TextCounts.h"
#include "tests/support/Watchdog.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

#ifndef _WIN32
#include "tests/persistence/ChildProcess.h"

#include <sys/resource.h>
#endif

namespace {
const std::string crlf = "\r\n";
const std::string filter = "All Files (*.*)|*.*|Text Files(*.txt)|*.txt";

std::string sample(int row) {
    return std::string(samples::table[row].sentence);
}

struct SentenceFileUse : testing::Test {
    TempFolder folder;
    TestWindow t;
    MainWindow& window = t.start();

    void open(const std::string& name) {
        t.dialog.choose(folder.path(name), name);
        window.openButton.press();
    }
    void save(const std::string& name) {
        t.dialog.choose(folder.path(name), name);
        window.saveButton.press();
    }
    std::vector<std::string> cells() const {
        std::vector<std::string> all;
        for (int p = 0; p < HexDigits::cellCount; ++p) {
            all.push_back(window.digitStore.cell(p));
        }
        return all;
    }
    static std::vector<std::string> splitOf(const std::string& text) {
        HexDigits digits;
        digits.split(text);
        std::vector<std::string> all;
        for (int p = 0; p < HexDigits::cellCount; ++p) {
            all.push_back(digits.cell(p));
        }
        return all;
    }
    // What the notice box gained since it held the given text.
    std::string newNotice(const std::string& before) const {
        const std::string& now = window.noticeBox.text();
        EXPECT_EQ(now.compare(0, before.size(), before), 0);
        std::string added = now.substr(before.size());
        if (!added.empty() && added.front() == '\n') {
            added.erase(0, 1);
        }
        return added;
    }
};
} // namespace

TEST_F(SentenceFileUse, EveryUseSetsTheDialogUpAfreshAndCancelOrNoNameChangesNothing) {
    window.sampleSelector.choose(3);
    const std::string notice = window.noticeBox.text();
    const std::size_t settingsWrites = t.settings.writes.size();

    t.dialog.cancel();
    window.openButton.press();
    t.dialog.cancel();
    window.saveMenuItem.choose();
    t.dialog.choose("", "");
    window.openMenuItem.choose();
    t.dialog.choose("", "");
    window.saveButton.press();

    ASSERT_EQ(t.dialog.uses.size(), 4u);
    for (std::size_t use = 0; use < 4; ++use) {
        const auto& setup = t.dialog.uses[use];
        EXPECT_TRUE(setup.cancelError) << use;
        EXPECT_EQ(setup.flags, FileDialog::hideReadOnly) << use;
        EXPECT_EQ(setup.filter, filter) << use;
        EXPECT_EQ(setup.filterIndex, 2) << use;
        EXPECT_EQ(setup.forSaving, use % 2 == 1) << use;
    }
    EXPECT_EQ(window.sentenceBox.text(), sample(3));
    EXPECT_EQ(window.digitStore.join(), sample(3));
    EXPECT_EQ(window.sampleSelector.text(), "Kestrum PRO");
    EXPECT_EQ(window.noticeBox.text(), notice);
    EXPECT_EQ(t.settings.writes.size(), settingsWrites);
    EXPECT_EQ(t.loop.yieldCount(), 0);
}

TEST_F(SentenceFileUse, SaveAppendsTheBoxAsALineAndOpenLoadsTheOneSavedLast) {
    window.sampleSelector.choose(3);
    save("eq.txt");
    EXPECT_EQ(folder.read("eq.txt"), sample(3) + crlf);
    EXPECT_EQ(folder.read("eq.txt").size(), 130u);

    window.sampleSelector.choose(5);
    t.dialog.choose(folder.path("eq.txt"), "eq.txt");
    window.saveMenuItem.choose();
    EXPECT_EQ(folder.read("eq.txt"), sample(3) + crlf + sample(5) + crlf);

    window.sampleSelector.choose(0);
    const std::size_t settingsWrites = t.settings.writes.size();
    const std::string notice = window.noticeBox.text();
    std::string announced;
    window.noticeBox.onAnnounce = [&](const std::string& news) { announced = news; };
    open("eq.txt");
    EXPECT_EQ(announced, "Loaded eq.txt: the last of 2 sentences");
    EXPECT_EQ(window.sentenceBox.text(), sample(5));
    EXPECT_EQ(window.digitStore.join(), sample(5));
    EXPECT_EQ(window.sampleSelector.text(), "eq.txt");
    EXPECT_EQ(t.loop.yieldCount(), 2) << "one pass through the waiting events per line";
    EXPECT_EQ(window.noticeBox.text(), notice);
    EXPECT_EQ(t.settings.writes.size(), settingsWrites);

    TestWindow restarted;
    restarted.settings = t.settings;
    EXPECT_EQ(restarted.start().sampleSelector.text(), "OFF");
    EXPECT_EQ(restarted->sentenceBox.text(), sample(0));
}

// Saved as it stands; what the radio would not take is told, and so are accepted lines that the
// box does not hold yet, with how to bring them in; a sound sentence is confirmed.
TEST_F(SentenceFileUse, SaveWritesTheBoxAsItStandsAndTellsWhichAcceptedLinesItLeftOut) {
    std::vector<std::string> announced;
    window.noticeBox.onAnnounce = [&](const std::string& news) { announced.push_back(news); };
    ASSERT_EQ(window.sentenceBox.text(), "");
    save("eq.txt");
    EXPECT_EQ(newNotice("").substr(9),
              "Saved to \"" + folder.path("eq.txt") +
                  "\" as it stands, but the radio expects 128 hexadecimal "
                  "digits, 0 to 9 and A to F: the sentence is empty. Correct it in the line "
                  "editor, press Accept Changes and Update, then Save again.");
    window.sampleSelector.choose(3);
    for (const int line : {0, 4}) {
        window.lineSelector.choose(line);
        window.digitCells[0].type("F");
        window.acceptButton.press();
    }
    const std::string leftOut = "Saved to \"" + folder.path("eq.txt") +
                                "\" as the sentence box shows it, without the changes accepted in "
                                "lines 01 and 05: ";
    std::string notice = window.noticeBox.text();
    save("eq.txt");
    EXPECT_EQ(folder.read("eq.txt"), crlf + sample(3) + crlf);
    EXPECT_EQ(window.digitStore.cell(32), "F") << "Save changes nothing in the window";
    EXPECT_EQ(newNotice(notice).substr(9),
              leftOut + "only a send brings them into the box, so press Connect, then Update, "
                        "then Save again; until then they live only in the line editor.");

    window.connectButton.press();
    notice = window.noticeBox.text();
    save("eq.txt");
    EXPECT_EQ(newNotice(notice).substr(9),
              leftOut + "Update sends them and brings them into the box; then Save again.");
    EXPECT_EQ(std::count(announced.begin(), announced.end(), "Saved to eq.txt"), 0);

    window.updateButton.press();
    save("eq.txt");
    EXPECT_EQ(announced.back(), "Saved to eq.txt");
}

// Names in Polish, Cyrillic and Japanese, one beside its Latin look-alike: each is a file of
// its own through Save and Open, whatever the system's code page.
TEST_F(SentenceFileUse, NamesInAnyScriptAreEachTheirOwnFile) {
    folder.write("eq-l.txt", sample(1) + crlf);
    const std::vector<std::string> names{"eq-ł.txt", "ж.txt", "日本.txt"};
    for (std::size_t at = 0; at < names.size(); ++at) {
        window.sampleSelector.choose(static_cast<int>(at) + 2);
        save(names[at]);
    }
    EXPECT_EQ(folder.read("eq-l.txt"), sample(1) + crlf);
    for (std::size_t at = 0; at < names.size(); ++at) {
        const int row = static_cast<int>(at) + 2;
        EXPECT_EQ(folder.read(names[at]), sample(row) + crlf) << names[at];
        window.sampleSelector.choose(0);
        open(names[at]);
        EXPECT_EQ(window.sentenceBox.text(), sample(row)) << names[at];
        EXPECT_EQ(window.sampleSelector.text(), names[at]);
    }
}

namespace {
struct FileBytes {
    std::string bytes;
    std::string box; // the last line, which Open leaves in the box
    int lines;
};

void PrintTo(const FileBytes& test, std::ostream* out) {
    *out << testing::PrintToString(test.bytes);
}

struct OpenedFile : SentenceFileUse, testing::WithParamInterface<FileBytes> {};
} // namespace

TEST_P(OpenedFile, EndsLinesAtLfCrLfOrCrAndKeepsEveryByteOfTheLastLine) {
    const FileBytes& c = GetParam();
    window.sampleSelector.choose(3);
    const int yieldsBefore = t.loop.yieldCount();
    folder.write("case.txt", c.bytes);
    open("case.txt");
    EXPECT_EQ(window.sentenceBox.text(), c.box);
    EXPECT_EQ(cells(), splitOf(c.box));
    EXPECT_EQ(t.loop.yieldCount() - yieldsBefore, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, OpenedFile,
    testing::Values(
        FileBytes{"one\r\ntwo\r\nthree\r\n", "three", 3}, FileBytes{"one\r\ntwo\r\n\r\n", "", 3},
        FileBytes{"one\ntwo\nthree\n", "three", 3},
        FileBytes{"one\ntwo\n" + sample(4), sample(4), 3}, FileBytes{"one\rtwo\r", "two", 2},
        FileBytes{"one\r\ntwo", "two", 2}, FileBytes{"one\ntwo\r\nthree\rfour", "four", 4},
        FileBytes{"one\r\r\n", "", 2}, FileBytes{"\n\r\n", "", 2}, FileBytes{"\n\n", "", 2},
        FileBytes{std::string("a\0\x7F\x80\xFF", 5) + crlf, std::string("a\0\x7F\x80\xFF", 5), 1},
        FileBytes{"12ab\r\n", "12ab", 1}, FileBytes{"GHIJ-;xyz" + crlf, "GHIJ-;xyz", 1},
        FileBytes{sample(4) + "0123" + crlf, sample(4) + "0123", 1}));

TEST_F(SentenceFileUse, OpenOfAnEmptyFileChangesOnlyTheSelectorAndSplitsTheBoxAgain) {
    window.sampleSelector.choose(3);
    window.lineSelector.choose(0);
    window.digitCells[0].type("Z");
    window.acceptButton.press();
    const std::string notice = window.noticeBox.text();
    folder.write("empty.txt", "");

    std::string announced;
    window.noticeBox.onAnnounce = [&](const std::string& news) { announced = news; };
    open("empty.txt");
    EXPECT_EQ(announced, "Opened empty.txt: it holds no line, so the sentence box is as it was");
    EXPECT_EQ(window.sampleSelector.text(), "empty.txt");
    EXPECT_EQ(window.sentenceBox.text(), sample(3));
    EXPECT_EQ(window.digitStore.join(), sample(3)) << "the accepted edit gives way to the box";
    EXPECT_EQ(window.noticeBox.text(), notice);
    EXPECT_EQ(t.loop.yieldCount(), 0);
}

TEST_F(SentenceFileUse, WhatCannotBeOpenedChangesNothingAndTheNoticeSaysWhyWithoutWaiting) {
    // A blocking open of a pipe would never return.
    const Watchdog watchdog(std::chrono::seconds(60), "Open of a pipe, a folder or a device");
    const SystemCases system(folder);
    ASSERT_TRUE(system.madePipe());
    std::filesystem::create_directory(folder.path("folder.txt"));
    struct Case {
        std::string path;
        std::string reason;
    };
    const std::vector<Case> cases{
        {folder.path("missing.txt"), systemReason(SystemCases::noSuchFile)},
        {folder.path("no/such/eq.txt"), systemReason(SystemCases::noSuchFolder)},
        {folder.path("folder.txt"), "it is a folder, not a file"},
        {system.pipe(), "it is a device, pipe or socket, not a regular file"},
        {SystemCases::device, "it is a device, pipe or socket, not a regular file"},
    };
    window.sampleSelector.choose(3);
    for (const Case& c : cases) {
        const std::string notice = window.noticeBox.text();
        t.dialog.choose(c.path, "title");
        window.openButton.press();
        EXPECT_EQ(window.sentenceBox.text(), sample(3)) << c.path;
        EXPECT_EQ(window.digitStore.join(), sample(3)) << c.path;
        EXPECT_EQ(window.sampleSelector.text(), "Kestrum PRO") << c.path;
        const std::string added = newNotice(notice);
        EXPECT_EQ(lineCount(added), 1) << added;
        EXPECT_NE(added.find("The file \"" + c.path + "\" could not be opened: " + c.reason),
                  std::string::npos)
            << added;
    }
    folder.write("good.txt", "good\r\n");
    std::string announced;
    window.noticeBox.onAnnounce = [&](const std::string& news) { announced = news; };
    open("good.txt");
    EXPECT_EQ(window.sentenceBox.text(), "good") << "a failed Open frees its slot";
    EXPECT_EQ(announced.find("Loaded good.txt: its one line, but the radio expects"), 0u);
}

// Update sends the store; after a failed Open the box must show that, not a line of the file.
TEST_F(SentenceFileUse, AnOverlongLineEndsOpenWithTheWindowAsItWasAndUpdateSendsWhatTheBoxShows) {
    const std::string longest(LineReader::defaultLineLimit, 'A');
    folder.write("image.bin", "first\r\n" + longest + crlf +
                                  std::string(LineReader::defaultLineLimit + 1, 'B') + crlf +
                                  "last\r\n");
    window.sampleSelector.choose(3);
    window.connectButton.press();
    const std::string notice = window.noticeBox.text();
    open("image.bin");
    EXPECT_EQ(window.sentenceBox.text(), sample(3));
    EXPECT_EQ(window.sampleSelector.text(), "Kestrum PRO");
    EXPECT_NE(newNotice(notice).find("The file \"" + folder.path("image.bin") +
                                     "\" could not be read to the end: it has a line longer "
                                     "than 1048576 characters, so it is no sentence file; the "
                                     "sentence and the sample were left as they were"),
              std::string::npos);

    t.port.written.clear();
    window.updateButton.press();
    t.loop.settle();
    EXPECT_EQ(t.port.allWritten(),
              "UR" + window.sentenceBox.text() + ";UT" + window.sentenceBox.text() + ";");
}

TEST_F(SentenceFileUse, SaveAfterALastLineWithoutItsEndPutsTheSentenceOnALineOfItsOwn) {
    struct Case {
        std::string before;
        std::string added;
    };
    const std::vector<Case> cases{
        {"typed by hand", crlf}, {"ends in LF\n", ""},      {"x", crlf},
        {"ends in CR\r", ""},    {"ends in CR LF\r\n", ""},
    };
    window.sampleSelector.choose(2);
    for (const Case& c : cases) {
        folder.write("hand.txt", c.before);
        save("hand.txt");
        EXPECT_EQ(folder.read("hand.txt"), c.before + c.added + sample(2) + crlf) << c.before;
        window.sampleSelector.choose(0);
        open("hand.txt");
        EXPECT_EQ(window.sentenceBox.text(), sample(2)) << c.before;
        window.sampleSelector.choose(2);
    }
}

#ifndef _WIN32
TEST_F(SentenceFileUse, AFailedSaveLeavesTheFileAsItWasAndTheNoticeSaysWhy) {
    // A file a little short of a 4 KiB limit: the line fits in part, so the write is cut short.
    std::string before;
    for (int line = 0; line < 31; ++line) {
        before += sample(1) + crlf;
    }
    before += std::string(18, '0') + crlf;
    ASSERT_EQ(before.size(), 4050u);
    folder.write("eq.txt", before);
    window.sampleSelector.choose(3);
    const std::string notice = window.noticeBox.text();
    // The child sets itself up as the program does at its start; without that, the limit ends it.
    const ChildOutcome limited = inChildProcess([&] {
        failWritesBeyondFileSizeLimit();
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        save("eq.txt");
        return newNotice(notice);
    });
    ASSERT_TRUE(limited.survived()) << limited.howItEnded();
    EXPECT_TRUE(folder.read("eq.txt") == before) << "the file is no longer as it was";
    EXPECT_NE(limited.told.find("The sentence could not be saved to \"" + folder.path("eq.txt") +
                                "\": " + std::strerror(EFBIG) + "; the file is as it was"),
              std::string::npos)
        << limited.told;

    save("eq.txt");
    EXPECT_EQ(folder.read("eq.txt"), before + sample(3) + crlf);
}
#endif

TEST_F(SentenceFileUse, SaveWhereNoRegularFileCanBeChangesNothingAndTheNoticeSaysWhy) {
    const SystemCases system(folder);
    ASSERT_TRUE(system.madePipe());
    std::filesystem::create_directory(folder.path("folder.txt"));
    const std::string notRegular = "it is a device, pipe or socket, not a regular file";
    window.sampleSelector.choose(3);
    for (const auto& [path, reason] :
         {std::pair<std::string, std::string>{folder.path("no/such/eq.txt"),
                                              systemReason(SystemCases::noSuchFolder)},
          {folder.path("folder.txt"), SystemCases::folderForSaving},
          {system.pipe(), notRegular},
          {SystemCases::device, notRegular}}) {
        const std::string notice = window.noticeBox.text();
        t.dialog.choose(path, "title");
        window.saveButton.press();
        const std::string added = newNotice(notice);
        EXPECT_EQ(lineCount(added), 1) << added;
        EXPECT_NE(added.find("The sentence could not be saved to \"" + path + "\": " + reason),
                  std::string::npos)
            << added;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path("no")));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path("folder.txt")));
}

// The resend of the sentence before shows it in the box while the file is read; the file's sentence
// is what Open loads all the same.
TEST_F(SentenceFileUse, ASendWhileOpenReadsLeavesTheFilesSentenceLoaded) {
    window.sampleSelector.choose(3);
    window.connectButton.press();
    folder.write("one.txt", sample(2) + crlf);
    t.loop.post([&] { window.updateButton.press(); });
    open("one.txt");
    EXPECT_EQ(t.port.allWritten(), "UR" + sample(3) + ";UT" + sample(3) + ";");
    EXPECT_EQ(window.sentenceBox.text(), sample(2));
    EXPECT_EQ(window.digitStore.join(), sample(2));
}

TEST_F(SentenceFileUse, InsideOpensYieldASecondOpenFailsWithoutChangesAndASaveWorks) {
    folder.write("three.txt", "one\r\ntwo\r\nthree\r\n");
    folder.write("other.txt", "other\r\n");
    window.sampleSelector.choose(3);
    const std::string notice = window.noticeBox.text();

    t.dialog.choose(folder.path("three.txt"), "three.txt");
    t.loop.post([&] {
        open("other.txt");
        EXPECT_EQ(window.sentenceBox.text(), "one");
        EXPECT_EQ(window.sampleSelector.text(), "three.txt");
    });
    t.loop.post([&] { save("saved.txt"); });
    window.openButton.press();

    EXPECT_EQ(window.sentenceBox.text(), "three");
    EXPECT_EQ(window.digitStore.join(), "three");
    EXPECT_EQ(window.sampleSelector.text(), "three.txt");
    EXPECT_EQ(folder.read("saved.txt"), "one\r\n");
    const std::string added = newNotice(notice);
    // The refused Open, and the Save's note that "one" is no sentence for the radio.
    EXPECT_EQ(lineCount(added), 2) << added;
    EXPECT_NE(added.find("the sentence has 3 characters, not 128"), std::string::npos) << added;
    EXPECT_NE(added.find("The file \"" + folder.path("other.txt") +
                         "\" was not opened: another file is still being read"),
              std::string::npos)
        << added;

    open("other.txt");
    EXPECT_EQ(window.sentenceBox.text(), "other") << "the first Open gave its slot back";
}
