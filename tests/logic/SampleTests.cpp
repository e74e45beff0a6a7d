// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "sentence/Samples.h"
#include "tests/doubles/TestWindow.h"

#include <gtest/gtest.h>

namespace {
std::string sentence(int row) {
    return std::string(samples::table[row].sentence);
}

std::vector<int> differences(const std::string& a, const std::string& b) {
    std::vector<int> at;
    for (std::size_t p = 0; p < a.size(); ++p) {
        if (a[p] != b[p]) {
            at.push_back(static_cast<int>(p));
        }
    }
    return at;
}
} // namespace

TEST(Samples, TheSixSentencesAreFullUpperCaseHexAndDifferOnlyWhereTheyShould) {
    for (const auto& sample : samples::table) {
        EXPECT_EQ(sample.sentence.size(), 128u) << sample.name;
        EXPECT_EQ(sample.sentence.find_first_not_of("0123456789ABCDEF"), std::string::npos)
            << sample.name;
    }
    EXPECT_EQ(sentence(0), std::string(128, '0'));
    EXPECT_EQ(differences(sentence(1), sentence(2)), (std::vector<int>{64, 68}));
    EXPECT_EQ(sentence(1).substr(64, 5), "EEEE0");
    EXPECT_EQ(sentence(2).substr(64, 5), "7EEE2");
    EXPECT_EQ(differences(sentence(4), sentence(5)), (std::vector<int>{40, 44, 48}));
    EXPECT_EQ(std::string{sentence(4)[40]} + sentence(4)[44] + sentence(4)[48], "0FF");
    EXPECT_EQ(std::string{sentence(5)[40]} + sentence(5)[44] + sentence(5)[48], "F17");
}

TEST(Samples, TheSelectorListsTheSamplesInOrderAndEachChoiceFillsBoxStoreAndSettings) {
    TestWindow t;
    MainWindow& window = t.start();
    const std::vector<std::string> names{"OFF",         "Ombrel",         "Kestrum",
                                         "Kestrum PRO", "Kestrum PRO II", "Kestrum GOLD"};
    ASSERT_EQ(window.sampleSelector.listCount(), 6);
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(window.sampleSelector.itemText(row), names[row]);
        window.sampleSelector.choose(row);
        EXPECT_EQ(window.sampleSelector.text(), names[row]);
        EXPECT_EQ(window.sentenceBox.text(), sentence(row));
        EXPECT_EQ(window.digitStore.join(), sentence(row));
        EXPECT_EQ(window.digitStore.cell(127), sentence(row).substr(127));
        EXPECT_EQ(t.settings.value("Bytes"), names[row]);
        EXPECT_EQ(t.settings.value("Msg"), sentence(row));
    }
}

TEST(Samples, OffGivesZerosEverywhereAndChoosingAgainWritesBothSettingsAgain) {
    TestWindow t;
    MainWindow& window = t.start();
    window.sampleSelector.choose(0);
    window.sampleSelector.choose(0);
    for (int p = 0; p < HexDigits::cellCount; ++p) {
        EXPECT_EQ(window.digitStore.cell(p), "0");
    }
    const std::string zeros(128, '0');
    EXPECT_EQ(t.settings.writes,
              (std::vector<MemorySettingsStore::Write>{
                  {"Bytes", "OFF"}, {"Msg", zeros}, {"Bytes", "OFF"}, {"Msg", zeros}}));
}

TEST(Samples, ASampleDiscardsAcceptedLineEditsWhileTheEditCellsKeepShowingThem) {
    TestWindow t;
    MainWindow& window = t.start();
    window.sampleSelector.choose(3);
    window.lineSelector.choose(2); // line 03
    window.digitCells[0].type("Z");
    window.acceptButton.press();
    ASSERT_EQ(window.digitStore.cell(16), "Z");

    window.sampleSelector.choose(3);
    EXPECT_EQ(window.digitStore.join(), sentence(3));
    EXPECT_EQ(window.digitCells[0].text(), "Z");
}

TEST(Samples, TheChoiceComesBackAtTheNextStart) {
    TestWindow first;
    first.start().sampleSelector.choose(4);

    TestWindow next;
    next.settings = first.settings;
    MainWindow& window = next.start();
    EXPECT_EQ(window.sampleSelector.text(), "Kestrum PRO II");
    EXPECT_EQ(window.sentenceBox.text(), sentence(4));
    EXPECT_EQ(window.digitStore.join(), sentence(4));
}

TEST(Samples, AFailedSettingsWriteIsReportedTwiceAndTheSampleStillShows) {
    TestWindow t;
    MainWindow& window = t.start();
    t.settings.writeFailure = "the disk is full";
    window.sampleSelector.choose(5);

    EXPECT_EQ(window.sentenceBox.text(), sentence(5));
    EXPECT_EQ(window.digitStore.join(), sentence(5));
    const std::string& notice = window.noticeBox.text();
    const std::string wording = "The sample choice could not be remembered: the disk is full";
    const auto first = notice.find(wording);
    ASSERT_NE(first, std::string::npos) << notice;
    EXPECT_NE(notice.find(wording, first + 1), std::string::npos) << notice;
    EXPECT_TRUE(t.messages.shown.empty());
}
