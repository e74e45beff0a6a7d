// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "sentence/Samples.h"
#include "tests/doubles/TestWindow.h"

#include <gtest/gtest.h>

namespace {
struct LineEditing : ::testing::Test {
    TestWindow t;
    MainWindow& window = t.start();
    const std::string pro{samples::table[3].sentence};

    void SetUp() override { window.sampleSelector.choose(3); }

    std::vector<std::string> cells() const {
        std::vector<std::string> texts;
        for (const auto& cell : window.digitCells) {
            texts.push_back(cell.text());
        }
        return texts;
    }
    std::vector<std::string> digitsOf(int first) const {
        std::vector<std::string> texts;
        for (int i = 0; i < 8; ++i) {
            texts.push_back(pro.substr(first + i, 1));
        }
        return texts;
    }
};
} // namespace

TEST_F(LineEditing, ChoosingALineShowsItsEightDigits) {
    window.lineSelector.choose(0);
    EXPECT_EQ(cells(), digitsOf(0));
    EXPECT_EQ(window.lineEditor().lineStart(), 0);
    window.lineSelector.choose(15);
    EXPECT_EQ(cells(), digitsOf(120));
    EXPECT_EQ(window.lineEditor().lineStart(), 120);
    window.lineSelector.choose(4);
    EXPECT_EQ(cells(), digitsOf(32));
}

TEST_F(LineEditing, AcceptWritesTheCellsBackWholeAndChangesNothingElse) {
    window.lineSelector.choose(15);
    window.digitCells[7].type(" f ");
    const std::string boxBefore = window.sentenceBox.text();
    window.acceptButton.press();

    EXPECT_EQ(window.digitStore.cell(127), " f ");
    EXPECT_EQ(window.digitStore.join(), pro.substr(0, 127) + " f ");
    EXPECT_EQ(window.sentenceBox.text(), boxBefore);
    EXPECT_EQ(window.lineEditor().lineStart(), 120);
    EXPECT_EQ(window.lineSelector.text(), "16");
}

TEST(LineEditorFirstUse, AcceptBeforeAnyLineWasChosenWritesPositionsZeroToSeven) {
    TestWindow t;
    MainWindow& window = t.start();
    window.sampleSelector.choose(0);
    for (int i = 0; i < 8; ++i) {
        window.digitCells[i].type(std::string(1, static_cast<char>('A' + i)));
    }
    window.acceptButton.press();
    EXPECT_EQ(window.digitStore.join(), "ABCDEFGH" + std::string(120, '0'));
}

// The store takes the cells as typed; the user hears what in them the radio will not take, or that
// the line went in, and choosing the line again says each cell so that it can be told apart.
namespace {
struct TypedCell {
    std::string typed;
    std::string said;  // empty: the line is sound and only announced
    std::string heard; // when the line is chosen again
};

void PrintTo(const TypedCell& test, std::ostream* out) {
    *out << ::testing::PrintToString(test.typed);
}

struct LineAccepting : LineEditing, ::testing::WithParamInterface<TypedCell> {};
} // namespace

TEST_P(LineAccepting, KeepsTheCellsAsTypedAndTellsWhatIsNotOneHexDigitEach) {
    const TypedCell& test = GetParam();
    window.lineSelector.choose(1);
    std::vector<std::string> announced;
    window.noticeBox.onAnnounce = [&](const std::string& news) { announced.push_back(news); };
    window.noticeBox.setText("");
    window.digitCells[3].type(test.typed);
    window.acceptButton.press();
    EXPECT_EQ(window.digitStore.join(), pro.substr(0, 11) + test.typed + pro.substr(12));
    if (test.said.empty()) {
        EXPECT_EQ(window.noticeBox.text(), "");
        EXPECT_EQ(announced, std::vector<std::string>{"Line 02 accepted; Update sends it to the "
                                                      "radio"});
    } else {
        EXPECT_NE(window.noticeBox.text().find("Line 02 was accepted as typed, but each cell takes "
                                               "one hexadecimal digit: " +
                                               test.said + ". Correct the cells"),
                  std::string::npos)
            << window.noticeBox.text();
        EXPECT_TRUE(announced.empty());
    }
    window.lineSelector.choose(1);
    EXPECT_EQ(announced.back(), "Line 02: " + test.heard);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, LineAccepting,
    ::testing::Values(
        TypedCell{"", "line 02, digit 4 is empty; the sentence now has 127 characters, not 128",
                  "0 1 6 empty 0 0 0 0"},
        TypedCell{"12",
                  "line 02, digit 4 holds 2 characters; the sentence now has 129 characters, "
                  "not 128",
                  "0 1 6, digit 4 holds 1 2, 0 0 0 0"},
        TypedCell{"g",
                  "'g' at line 02, digit 4 is not an uppercase hexadecimal digit (0 to 9, A "
                  "to F)",
                  "0 1 6 g 0 0 0 0"},
        TypedCell{
            " \t",
            "line 02, digit 4 holds 2 characters; ' ' at line 02, digit 4 is not an uppercase "
            "hexadecimal digit (0 to 9, A to F), nor is 1 more character; the sentence now "
            "has 129 characters, not 128",
            "0 1 6, digit 4 holds space character 0x09, 0 0 0 0"},
        TypedCell{"f",
                  "'f' at line 02, digit 4 is not an uppercase hexadecimal digit (0 to 9, A "
                  "to F)",
                  "0 1 6 f 0 0 0 0"},
        TypedCell{"F", "", "0 1 6 F 0 0 0 0"}));
