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

TEST(SampleChoice, TheSelectorListsTheSamplesInOrderAndEachChoiceFillsBoxStoreAndSettings) {
    TestWindow t;
    MainWindow& window = t.start();
    const std::vector<std::string> names{"OFF",         "Ombrel",         "Kestrum",
                                         "Kestrum PRO", "Kestrum PRO II", "Kestrum GOLD"};
    ASSERT_EQ(window.Combo1.listCount(), 6);
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(window.Combo1.itemText(row), names[row]);
        window.Combo1.choose(row);
        EXPECT_EQ(window.Combo1.text(), names[row]);
        EXPECT_EQ(window.Text1.text(), sentence(row));
        EXPECT_EQ(window.hexDigits.join(), sentence(row));
        EXPECT_EQ(window.hexDigits.cell(127), sentence(row).substr(127));
        EXPECT_EQ(t.settings.value("Bytes"), names[row]);
        EXPECT_EQ(t.settings.value("Msg"), sentence(row));
    }
}

TEST(SampleChoice, OffGivesZerosEverywhereAndChoosingAgainWritesBothSettingsAgain) {
    TestWindow t;
    MainWindow& window = t.start();
    window.Combo1.choose(0);
    window.Combo1.choose(0);
    for (int p = 0; p < HexDigits::cellCount; ++p) {
        EXPECT_EQ(window.hexDigits.cell(p), "0");
    }
    const std::string zeros(128, '0');
    EXPECT_EQ(t.settings.writes,
              (std::vector<MemorySettingsStore::Write>{
                  {"Bytes", "OFF"}, {"Msg", zeros}, {"Bytes", "OFF"}, {"Msg", zeros}}));
}

TEST(SampleChoice, ASampleDiscardsAcceptedLineEditsWhileTheEditCellsKeepShowingThem) {
    TestWindow t;
    MainWindow& window = t.start();
    window.Combo1.choose(3);
    window.Combo4.choose(2); // line 03
    window.Text2[0].type("Z");
    window.Command3.press();
    ASSERT_EQ(window.hexDigits.cell(16), "Z");

    window.Combo1.choose(3);
    EXPECT_EQ(window.hexDigits.join(), sentence(3));
    EXPECT_EQ(window.Text2[0].text(), "Z");
}

TEST(SampleChoice, TheChoiceComesBackAtTheNextStart) {
    TestWindow first;
    first.start().Combo1.choose(4);

    TestWindow next;
    next.settings = first.settings;
    MainWindow& window = next.start();
    EXPECT_EQ(window.Combo1.text(), "Kestrum PRO II");
    EXPECT_EQ(window.Text1.text(), sentence(4));
    EXPECT_EQ(window.hexDigits.join(), sentence(4));
}

TEST(SampleChoice, AFailedSettingsWriteIsReportedTwiceAndTheSampleStillShows) {
    TestWindow t;
    MainWindow& window = t.start();
    t.settings.writeFailure = "the disk is full";
    window.Combo1.choose(5);

    EXPECT_EQ(window.Text1.text(), sentence(5));
    EXPECT_EQ(window.hexDigits.join(), sentence(5));
    const std::string& notice = window.Text4.text();
    const std::string wording = "The sample choice could not be remembered: the disk is full";
    const auto first = notice.find(wording);
    ASSERT_NE(first, std::string::npos) << notice;
    EXPECT_NE(notice.find(wording, first + 1), std::string::npos) << notice;
    EXPECT_TRUE(t.messages.shown.empty());
}
