#include "sentence/Samples.h"
#include "store/LineReader.h"
#include "tests/doubles/TestWindow.h"
#include "tests/persistence/ChildProcess.h"
#include "tests/persistence/TempFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const std::string crlf = "\r\n";
const std::string filter = "All Files (*.*)|*.*|Text Files(*.txt)|*.txt";

std::string sample(int row) {
    return std::string(samples::table[row].sentence);
}

std::size_t lineCount(const std::string& text) {
    return text.empty() ? 0
                        : static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

// A blocking open of a pipe would never return; this ends the test run instead.
class Watchdog {
public:
    Watchdog() { alarm(60); }
    ~Watchdog() { alarm(0); }
};

struct SentenceFiles : testing::Test {
    TempFolder folder;
    TestWindow t;
    MainWindow& window = t.start();

    void open(const std::string& name) {
        t.dialog.choose(folder.path(name), name);
        window.Command8.press();
    }
    void save(const std::string& name) {
        t.dialog.choose(folder.path(name), name);
        window.Command10.press();
    }
    std::vector<std::string> cells() const {
        std::vector<std::string> all;
        for (int p = 0; p < HexDigits::cellCount; ++p) {
            all.push_back(window.hexDigits.cell(p));
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
        const std::string& now = window.Text4.text();
        EXPECT_EQ(now.compare(0, before.size(), before), 0);
        std::string added = now.substr(before.size());
        if (!added.empty() && added.front() == '\n') {
            added.erase(0, 1);
        }
        return added;
    }
};
} // namespace

TEST_F(SentenceFiles, EveryUseSetsTheDialogUpAfreshAndCancelOrNoNameChangesNothing) {
    window.Combo1.choose(3);
    const std::string notice = window.Text4.text();
    const std::size_t settingsWrites = t.settings.writes.size();

    t.dialog.cancel();
    window.Command8.press();
    t.dialog.cancel();
    window.mnufilesave.choose();
    t.dialog.choose("", "");
    window.mnufileopen.choose();
    t.dialog.choose("", "");
    window.Command10.press();

    ASSERT_EQ(t.dialog.uses.size(), 4u);
    for (std::size_t use = 0; use < 4; ++use) {
        const auto& setup = t.dialog.uses[use];
        EXPECT_TRUE(setup.cancelError) << use;
        EXPECT_EQ(setup.flags, FileDialog::hideReadOnly) << use;
        EXPECT_EQ(setup.filter, filter) << use;
        EXPECT_EQ(setup.filterIndex, 2) << use;
        EXPECT_EQ(setup.forSaving, use % 2 == 1) << use;
    }
    EXPECT_EQ(window.Text1.text(), sample(3));
    EXPECT_EQ(window.hexDigits.join(), sample(3));
    EXPECT_EQ(window.Combo1.text(), "Kestrum PRO");
    EXPECT_EQ(window.Text4.text(), notice);
    EXPECT_EQ(t.settings.writes.size(), settingsWrites);
    EXPECT_EQ(t.loop.yieldCount(), 0);
}

TEST_F(SentenceFiles, SaveAppendsTheBoxAsALineAndOpenLoadsTheOneSavedLast) {
    window.Combo1.choose(3);
    save("eq.txt");
    EXPECT_EQ(folder.read("eq.txt"), sample(3) + crlf);
    EXPECT_EQ(folder.read("eq.txt").size(), 130u);

    window.Combo1.choose(5);
    t.dialog.choose(folder.path("eq.txt"), "eq.txt");
    window.mnufilesave.choose();
    EXPECT_EQ(folder.read("eq.txt"), sample(3) + crlf + sample(5) + crlf);

    window.Combo1.choose(0);
    const std::size_t settingsWrites = t.settings.writes.size();
    const std::string notice = window.Text4.text();
    open("eq.txt");
    EXPECT_EQ(window.Text1.text(), sample(5));
    EXPECT_EQ(window.hexDigits.join(), sample(5));
    EXPECT_EQ(window.Combo1.text(), "eq.txt");
    EXPECT_EQ(t.loop.yieldCount(), 2) << "one pass through the waiting events per line";
    EXPECT_EQ(window.Text4.text(), notice);
    EXPECT_EQ(t.settings.writes.size(), settingsWrites);

    TestWindow restarted;
    restarted.settings = t.settings;
    EXPECT_EQ(restarted.start().Combo1.text(), "OFF");
    EXPECT_EQ(restarted->Text1.text(), sample(0));
}

TEST_F(SentenceFiles, SaveWritesTheBoxAsItStandsNotAcceptedEditsThatWereNotSent) {
    ASSERT_EQ(window.Text1.text(), "");
    save("eq.txt");
    window.Combo1.choose(3);
    window.Combo4.choose(0);
    window.Text2[0].type("Z");
    window.Command3.press();
    ASSERT_EQ(window.hexDigits.cell(0), "Z");
    save("eq.txt");
    EXPECT_EQ(folder.read("eq.txt"), crlf + sample(3) + crlf);
    EXPECT_EQ(window.hexDigits.cell(0), "Z") << "Save changes nothing in the window";
}

TEST_F(SentenceFiles, OpenEndsLinesAtCrWithOrWithoutLfAndKeepsEveryByteOfTheLastLine) {
    struct Case {
        std::string bytes;
        std::string box;
        int lines;
    };
    const std::string eightBit("a\0\x7F\x80\xFF", 5);
    const std::vector<Case> cases{
        {"one\r\ntwo\r\nthree\r\n", "three", 3},
        {"one\r\ntwo\r\n\r\n", "", 3},
        {"one\ntwo\nthree\n", "one\ntwo\nthree\n", 1},
        {"one\rtwo\r", "two", 2},
        {"one\r\ntwo", "two", 2},
        {"one\r\r\n", "", 2},
        {"\n\r\n", "\n", 1},
        {eightBit + crlf, eightBit, 1},
        {"12ab\r\n", "12ab", 1},
        {"GHIJ-;xyz" + crlf, "GHIJ-;xyz", 1},
        {sample(4) + "0123" + crlf, sample(4) + "0123", 1},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        window.Combo1.choose(3);
        const int yieldsBefore = t.loop.yieldCount();
        folder.write("case.txt", c.bytes);
        open("case.txt");
        EXPECT_EQ(window.Text1.text(), c.box) << "case " << i;
        EXPECT_EQ(cells(), splitOf(c.box)) << "case " << i;
        EXPECT_EQ(t.loop.yieldCount() - yieldsBefore, c.lines) << "case " << i;
    }
}

TEST_F(SentenceFiles, OpenOfAnEmptyFileChangesOnlyTheSelectorAndSplitsTheBoxAgain) {
    window.Combo1.choose(3);
    window.Combo4.choose(0);
    window.Text2[0].type("Z");
    window.Command3.press();
    const std::string notice = window.Text4.text();
    folder.write("empty.txt", "");

    open("empty.txt");
    EXPECT_EQ(window.Combo1.text(), "empty.txt");
    EXPECT_EQ(window.Text1.text(), sample(3));
    EXPECT_EQ(window.hexDigits.join(), sample(3)) << "the accepted edit gives way to the box";
    EXPECT_EQ(window.Text4.text(), notice);
    EXPECT_EQ(t.loop.yieldCount(), 0);
}

TEST_F(SentenceFiles, WhatCannotBeOpenedChangesNothingAndTheNoticeSaysWhyWithoutWaiting) {
    Watchdog watchdog;
    const std::string pipe = folder.path("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_directory(folder.path("folder.txt"));
    struct Case {
        std::string path;
        std::string reason;
    };
    const std::vector<Case> cases{
        {folder.path("missing.txt"), std::strerror(ENOENT)},
        {folder.path("folder.txt"), "it is a folder, not a file"},
        {pipe, "it is a device, pipe or socket, not a regular file"},
        {"/dev/zero", "it is a device, pipe or socket, not a regular file"},
    };
    window.Combo1.choose(3);
    for (const Case& c : cases) {
        const std::string notice = window.Text4.text();
        t.dialog.choose(c.path, "title");
        window.Command8.press();
        EXPECT_EQ(window.Text1.text(), sample(3)) << c.path;
        EXPECT_EQ(window.hexDigits.join(), sample(3)) << c.path;
        EXPECT_EQ(window.Combo1.text(), "Kestrum PRO") << c.path;
        const std::string added = newNotice(notice);
        EXPECT_EQ(lineCount(added), 1u) << added;
        EXPECT_NE(added.find("The file \"" + c.path + "\" could not be opened: " + c.reason),
                  std::string::npos)
            << added;
    }
    folder.write("good.txt", "good\r\n");
    open("good.txt");
    EXPECT_EQ(window.Text1.text(), "good") << "a failed Open frees its slot";
}

TEST_F(SentenceFiles, AnOverlongLineEndsOpenWithTheLineBeforeItInTheBoxAndTheStoreUnsplit) {
    const std::string longest(LineReader::defaultLineLimit, 'A');
    folder.write("image.bin", "first\r\n" + longest + crlf +
                                  std::string(LineReader::defaultLineLimit + 1, 'B') + crlf +
                                  "last\r\n");
    window.Combo1.choose(3);
    const std::string notice = window.Text4.text();
    open("image.bin");
    EXPECT_EQ(window.Text1.text(), longest);
    EXPECT_EQ(window.Combo1.text(), "image.bin");
    EXPECT_EQ(window.hexDigits.join(), sample(3));
    EXPECT_NE(newNotice(notice).find("The file \"" + folder.path("image.bin") +
                                     "\" could not be read to the end: it has a line longer "
                                     "than 1048576 characters"),
              std::string::npos);
}

TEST_F(SentenceFiles, SaveAfterALastLineWithoutItsEndPutsTheSentenceOnALineOfItsOwn) {
    struct Case {
        std::string before;
        std::string added;
    };
    const std::vector<Case> cases{
        {"typed by hand", crlf}, {"ends in a lone LF\n", crlf}, {"x", crlf},
        {"ends in CR\r", ""},    {"ends in CR LF\r\n", ""},
    };
    window.Combo1.choose(2);
    for (const Case& c : cases) {
        folder.write("hand.txt", c.before);
        save("hand.txt");
        EXPECT_EQ(folder.read("hand.txt"), c.before + c.added + sample(2) + crlf) << c.before;
        window.Combo1.choose(0);
        open("hand.txt");
        EXPECT_EQ(window.Text1.text(), sample(2)) << c.before;
        window.Combo1.choose(2);
    }
}

TEST_F(SentenceFiles, AFailedSaveLeavesTheFileAsItWasAndTheNoticeSaysWhy) {
    // A file a little short of a 4 KiB limit: the line fits in part, so the write is cut short.
    std::string before;
    for (int line = 0; line < 31; ++line) {
        before += sample(1) + crlf;
    }
    before += std::string(18, '0') + crlf;
    ASSERT_EQ(before.size(), 4050u);
    folder.write("eq.txt", before);
    window.Combo1.choose(3);
    std::string notice = window.Text4.text();
    // The child leaves SIGXFSZ as it finds it, as a user's shell does: the program must cope.
    const ChildOutcome limited = inChildProcess([&] {
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

    std::filesystem::create_directory(folder.path("folder.txt"));
    for (const auto& [name, reason] :
         {std::pair<std::string, std::string>{"no/such/eq.txt", std::strerror(ENOENT)},
          {"folder.txt", std::strerror(EISDIR)}}) {
        notice = window.Text4.text();
        save(name);
        const std::string added = newNotice(notice);
        EXPECT_NE(added.find("The sentence could not be saved to \"" + folder.path(name) +
                             "\": " + reason),
                  std::string::npos)
            << added;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path("no")));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path("folder.txt")));
}

TEST_F(SentenceFiles, InsideOpensYieldASecondOpenFailsWithoutChangesAndASaveWorks) {
    folder.write("three.txt", "one\r\ntwo\r\nthree\r\n");
    folder.write("other.txt", "other\r\n");
    window.Combo1.choose(3);
    const std::string notice = window.Text4.text();

    t.dialog.choose(folder.path("three.txt"), "three.txt");
    t.loop.post([&] {
        open("other.txt");
        EXPECT_EQ(window.Text1.text(), "one");
        EXPECT_EQ(window.Combo1.text(), "three.txt");
    });
    t.loop.post([&] { save("saved.txt"); });
    window.Command8.press();

    EXPECT_EQ(window.Text1.text(), "three");
    EXPECT_EQ(window.hexDigits.join(), "three");
    EXPECT_EQ(window.Combo1.text(), "three.txt");
    EXPECT_EQ(folder.read("saved.txt"), "one\r\n");
    const std::string added = newNotice(notice);
    EXPECT_EQ(lineCount(added), 1u) << added;
    EXPECT_NE(added.find("The file \"" + folder.path("other.txt") +
                         "\" was not opened: another file is still being read"),
              std::string::npos)
        << added;

    open("other.txt");
    EXPECT_EQ(window.Text1.text(), "other") << "the first Open gave its slot back";
}
