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

TEST_F(LineEditing, AnEmptiedCellShortensTheSentenceAndTwoCharactersLengthenIt) {
    window.lineSelector.choose(1);
    window.digitCells[3].type("");
    window.acceptButton.press();
    EXPECT_EQ(window.digitStore.join(), pro.substr(0, 11) + pro.substr(12));

    window.digitCells[3].type("12");
    window.acceptButton.press();
    EXPECT_EQ(window.digitStore.join(), pro.substr(0, 11) + "12" + pro.substr(12));
}
