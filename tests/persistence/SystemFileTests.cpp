// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/SystemFile.h"
#include "tests/persistence/SystemCases.h"
#include "tests/persistence/TempFolder.h"

#include <gtest/gtest.h>

// What Save and Open rely on from each system's file calls: a write always lands at the end,
// wherever a read left off; a read at or past the end is an empty read, not a failure; and a
// cut back, open or by name, leaves exactly the bytes before it.
TEST(SystemFile, AppendsAtTheEndReadsAnywhereAndCutsBack) {
    const TempFolder folder;
    const std::string path = folder.write("eq.txt", "abc");
    SystemFile file;
    bool readable = false;
    ASSERT_EQ(file.openForAppending(path, readable), 0);
    EXPECT_TRUE(readable);
    SystemFile::Status status;
    ASSERT_EQ(file.status(status), 0);
    EXPECT_EQ(status.kind, SystemFile::Kind::regular);
    EXPECT_EQ(status.size, 3u);

    char buffer[4] = {};
    std::size_t count = 9;
    for (const auto& [offset, expected] :
         {std::pair<std::uint64_t, std::string>{1, "bc"}, {3, ""}, {10, ""}}) {
        EXPECT_EQ(file.readAt(offset, buffer, 2, count), 0) << offset;
        EXPECT_EQ(std::string(buffer, count), expected) << offset;
    }
    ASSERT_EQ(file.read(buffer, 1, count), 0);
    EXPECT_EQ(std::string(buffer, count), "a");
    ASSERT_EQ(file.write("de", 2, count), 0);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(folder.read("eq.txt"), "abcde");

    ASSERT_EQ(file.truncate(3), 0);
    ASSERT_EQ(file.write("f", 1, count), 0);
    EXPECT_EQ(file.close(), 0);
    EXPECT_EQ(file.close(), 0) << "a second close does nothing";
    EXPECT_EQ(folder.read("eq.txt"), "abcf");

    EXPECT_EQ(truncateFile(path, 1), 0);
    EXPECT_EQ(folder.read("eq.txt"), "a");
    EXPECT_EQ(truncateFile(folder.path("missing.txt"), 0), SystemCases::noSuchFile);
    EXPECT_EQ(file.openForReading(folder.path("missing.txt")), SystemCases::noSuchFile);
    EXPECT_FALSE(file.isOpen());
}
