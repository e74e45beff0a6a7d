// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "sentence/HexDigits.h"

#include <gtest/gtest.h>

namespace {
std::string digits(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += "0123456789ABCDEF"[i % 16];
    }
    return text;
}
} // namespace

TEST(SentenceStore, AFullSentenceSplitsIntoOneCharacterCellsAndJoinsBackWhole) {
    HexDigits store;
    const std::string sentence = digits(128);
    store.split(sentence);
    for (int p = 0; p < HexDigits::cellCount; ++p) {
        EXPECT_EQ(store.cell(p), sentence.substr(p, 1)) << "position " << p;
    }
    EXPECT_EQ(store.join(), sentence);
}

TEST(SentenceStore, ShortTextsLeaveTheRemainingCellsEmptyAndLongOnesAreCutAt128) {
    HexDigits store;
    store.split(digits(127));
    EXPECT_EQ(store.cell(127), "");
    EXPECT_EQ(store.join(), digits(127));

    store.split("");
    for (int p = 0; p < HexDigits::cellCount; ++p) {
        EXPECT_EQ(store.cell(p), "");
    }
    EXPECT_EQ(store.join(), "");

    store.split(digits(130));
    EXPECT_EQ(store.join(), digits(128));
}

TEST(SentenceStore, EveryCharacterIsKeptAsItIsLineBreaksAndLowerCaseIncluded) {
    HexDigits store;
    const std::string odd = "ab\r\nxyz ;" + digits(119);
    store.split(odd);
    EXPECT_EQ(store.cell(2), "\r");
    EXPECT_EQ(store.cell(3), "\n");
    EXPECT_EQ(store.cell(7), " ");
    EXPECT_EQ(store.join(), odd);
}

TEST(SentenceStore, ACellOfTwoCharactersLengthensTheJoinAndMovesEveryLaterCharacter) {
    HexDigits store;
    const std::string sentence = digits(128);
    store.split(sentence);
    store.setCell(10, "XY");
    const std::string joined = store.join();
    EXPECT_EQ(joined.size(), 129u);
    EXPECT_EQ(joined.substr(0, 10), sentence.substr(0, 10));
    EXPECT_EQ(joined.substr(10, 2), "XY");
    EXPECT_EQ(joined.substr(12), sentence.substr(11));

    store.setCell(10, "");
    EXPECT_EQ(store.join(), sentence.substr(0, 10) + sentence.substr(11));
}

TEST(SentenceStore, ASplitRewritesCellsThatAnEditHadLengthened) {
    HexDigits store;
    store.setCell(0, "lots of text");
    store.split("A");
    EXPECT_EQ(store.cell(0), "A");
    EXPECT_EQ(store.join(), "A");
}
