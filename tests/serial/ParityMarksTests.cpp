// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/ParityMarks.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(ParityMarks, MarkedCharactersBecomeTheReplacementAndDoubledFfOneFf) {
    ParityMarks marks;
    EXPECT_EQ(marks.decode("UR\xFF\x00x;"s), "UR?;");
    EXPECT_EQ(marks.decode("\xFF\xFF"s), "\xFF"s);
    // A break reads as a marked NUL.
    EXPECT_EQ(marks.decode("a\xFF\x00\x00z"s), "a?z");
    EXPECT_EQ(marks.decode("\xFF\xFF\xFF\x00\xFF"s), "\xFF?"s);
}

TEST(ParityMarks, OtherBytesPassUnchanged) {
    ParityMarks marks;
    const std::string plain = "\x00\x01 09AFaf;\x7F\x80\xFE"s;
    EXPECT_EQ(marks.decode(plain), plain);
    // 0xFF before anything but 0x00 or 0xFF is no mark the terminal makes.
    EXPECT_EQ(marks.decode("\xFF"
                           "A"s),
              "\xFF"
              "A"s);
    EXPECT_EQ(marks.decode(""), "");
}

TEST(ParityMarks, AMarkCutBetweenReadsIsFinishedByTheNext) {
    ParityMarks marks;
    EXPECT_EQ(marks.decode("A\xFF"s), "A");
    EXPECT_EQ(marks.decode("\xFF"
                           "B"s),
              "\xFF"
              "B"s);
    EXPECT_EQ(marks.decode("C\xFF"s), "C");
    EXPECT_EQ(marks.decode("\x00"s), "");
    EXPECT_EQ(marks.decode("xD"), "?D");
}

TEST(ParityMarks, ResetForgetsAnUnfinishedMark) {
    ParityMarks marks;
    EXPECT_EQ(marks.decode("A\xFF\x00"s), "A");
    marks.reset();
    EXPECT_EQ(marks.decode("x"), "x");
}
