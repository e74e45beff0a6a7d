// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "store/LineReader.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {
// Hands out the bytes a few at a time and, when told, fails once it reaches a position.
class ChunkedBytes : public ByteSource {
public:
    ChunkedBytes(std::string bytes, std::size_t chunk,
                 std::optional<std::size_t> failAt = std::nullopt)
        : bytes_(std::move(bytes)), chunk_(chunk), failAt_(failAt) {}

    Chunk read(char* buffer, std::size_t capacity) override {
        const std::size_t stop = failAt_ ? *failAt_ : bytes_.size();
        if (at_ >= stop && failAt_) {
            return {0, "the disk went away"};
        }
        const std::size_t count = std::min({chunk_, capacity, stop - at_});
        bytes_.copy(buffer, count, at_);
        at_ += count;
        return {count, std::nullopt};
    }

private:
    std::string bytes_;
    std::size_t chunk_;
    std::optional<std::size_t> failAt_;
    std::size_t at_ = 0;
};

struct Reading {
    std::vector<std::string> lines;
    LineReader::Step last;
    std::string failure;
};

Reading readAll(ByteSource& source, std::size_t limit = LineReader::defaultLineLimit,
                std::size_t bufferSize = 64 * 1024) {
    LineReader reader(source, limit, bufferSize);
    Reading reading;
    std::string line;
    while ((reading.last = reader.next(line)) == LineReader::Step::line) {
        reading.lines.push_back(line);
    }
    EXPECT_EQ(reader.next(line), reading.last) << "the end or failure must stay";
    reading.failure = reader.failure();
    return reading;
}
} // namespace

TEST(LineReader, LineEndsAreFoundWhereverTheReadsAndTheBufferCutThem) {
    const std::string bytes = "a\r\nb\rc\n\r\n\r\r\nd";
    const std::vector<std::string> expected{"a", "b", "c", "", "", "", "d"};
    for (std::size_t chunk = 1; chunk <= bytes.size(); ++chunk) {
        for (std::size_t buffer = 1; buffer <= 4; ++buffer) {
            ChunkedBytes source(bytes, chunk);
            const Reading reading = readAll(source, LineReader::defaultLineLimit, buffer);
            EXPECT_EQ(reading.lines, expected) << "chunk " << chunk << ", buffer " << buffer;
            EXPECT_EQ(reading.last, LineReader::Step::end);
        }
    }
}

TEST(LineReader, AFailureKeepsOnlyTheLinesEndedBeforeIt) {
    for (std::size_t chunk : {1u, 3u, 100u}) {
        // The CR before the failure ends "b"; the LF that might have followed is never seen.
        ChunkedBytes source("a\r\nb\rcd\r\n", chunk, 7);
        const Reading reading = readAll(source);
        EXPECT_EQ(reading.lines, (std::vector<std::string>{"a", "b"})) << chunk;
        EXPECT_EQ(reading.last, LineReader::Step::failed);
        EXPECT_EQ(reading.failure, "the disk went away");
    }
}
