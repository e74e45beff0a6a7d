#include "sentence/Samples.h"
#include "tests/doubles/TestWindow.h"

#include <gtest/gtest.h>

namespace {
struct LineEditor : ::testing::Test {
    TestWindow t;
    MainWindow& window = t.start();
    const std::string pro{samples::table[3].sentence};

    void SetUp() override { window.Combo1.choose(3); }

    std::vector<std::string> cells() const {
        std::vector<std::string> texts;
        for (const auto& cell : window.Text2) {
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

TEST_F(LineEditor, ChoosingALineShowsItsEightDigits) {
    window.Combo4.choose(0);
    EXPECT_EQ(cells(), digitsOf(0));
    EXPECT_EQ(window.lineStart, 0);
    window.Combo4.choose(15);
    EXPECT_EQ(cells(), digitsOf(120));
    EXPECT_EQ(window.lineStart, 120);
    window.Combo4.choose(4);
    EXPECT_EQ(cells(), digitsOf(32));
}

TEST_F(LineEditor, AcceptWritesTheCellsBackWholeAndChangesNothingElse) {
    window.Combo4.choose(15);
    window.Text2[7].type(" f ");
    const std::string boxBefore = window.Text1.text();
    window.Command3.press();

    EXPECT_EQ(window.hexDigits.cell(127), " f ");
    EXPECT_EQ(window.hexDigits.join(), pro.substr(0, 127) + " f ");
    EXPECT_EQ(window.Text1.text(), boxBefore);
    EXPECT_EQ(window.lineStart, 120);
    EXPECT_EQ(window.Combo4.text(), "16");
}

TEST(LineEditorFirstUse, AcceptBeforeAnyLineWasChosenWritesPositionsZeroToSeven) {
    TestWindow t;
    MainWindow& window = t.start();
    window.Combo1.choose(0);
    for (int i = 0; i < 8; ++i) {
        window.Text2[i].type(std::string(1, static_cast<char>('A' + i)));
    }
    window.Command3.press();
    EXPECT_EQ(window.hexDigits.join(), "ABCDEFGH" + std::string(120, '0'));
}

TEST_F(LineEditor, AnEmptiedCellShortensTheSentenceAndTwoCharactersLengthenIt) {
    window.Combo4.choose(1);
    window.Text2[3].type("");
    window.Command3.press();
    EXPECT_EQ(window.hexDigits.join(), pro.substr(0, 11) + pro.substr(12));

    window.Text2[3].type("12");
    window.Command3.press();
    EXPECT_EQ(window.hexDigits.join(), pro.substr(0, 11) + "12" + pro.substr(12));
}
