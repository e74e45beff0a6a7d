// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// Arbitrary bytes through the sentence-file line reader, cut into reads of every size, with a
// short line limit and a read failure at some position, against a byte-by-byte reference.
// Input: limit, read size and buffer size, failure position, then the file's bytes.

#include "store/LineReader.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {
struct Outcome {
    std::vector<std::string> lines;
    bool failed = false;
    bool operator==(const Outcome&) const = default;
};

// The rule read literally: an LF or a CR ends a line, and an LF right after a CR is part of
// that end.
Outcome reference(const std::string& bytes, std::size_t limit, std::optional<std::size_t> failAt) {
    Outcome outcome;
    const std::size_t stop = failAt ? *failAt : bytes.size();
    std::string line;
    bool begun = false;
    for (std::size_t i = 0; i < stop; ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            outcome.lines.push_back(line);
            line.clear();
            begun = false;
            if (bytes[i] == '\r' && i + 1 < stop && bytes[i + 1] == '\n') {
                ++i;
            }
            continue;
        }
        line += bytes[i];
        begun = true;
        if (line.size() > limit) {
            outcome.failed = true;
            return outcome;
        }
    }
    if (failAt) {
        outcome.failed = true;
    } else if (begun) {
        outcome.lines.push_back(line);
    }
    return outcome;
}

class Chunks : public ByteSource {
public:
    Chunks(const std::string& bytes, std::size_t chunk, std::optional<std::size_t> failAt)
        : bytes_(bytes), chunk_(chunk), stop_(failAt ? *failAt : bytes.size()), fails_(failAt) {}

    Chunk read(char* buffer, std::size_t capacity) override {
        if (at_ >= stop_ && fails_) {
            return {0, "failed"};
        }
        const std::size_t count = std::min({chunk_, capacity, stop_ - at_});
        std::copy_n(bytes_.data() + at_, count, buffer);
        at_ += count;
        return {count, std::nullopt};
    }

private:
    const std::string& bytes_;
    std::size_t chunk_;
    std::size_t stop_;
    bool fails_;
    std::size_t at_ = 0;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    // A limit byte of 255 keeps the real limit, which no input of the usual length reaches.
    const std::size_t limit = data[0] == 255 ? LineReader::defaultLineLimit : data[0] % 32;
    const std::size_t chunk = data[1] % 16 + 1;
    const std::size_t bufferSize = data[1] / 16 + 1;
    const std::string bytes(reinterpret_cast<const char*>(data) + 3, size - 3);
    std::optional<std::size_t> failAt;
    if (data[2] & 0x80) {
        failAt = (data[2] & 0x7F) % (bytes.size() + 1);
    }

    Chunks source(bytes, chunk, failAt);
    LineReader reader(source, limit, bufferSize);
    Outcome read;
    std::string line;
    LineReader::Step step;
    while ((step = reader.next(line)) == LineReader::Step::line) {
        read.lines.push_back(line);
    }
    read.failed = step == LineReader::Step::failed;
    if (read != reference(bytes, limit, failAt) || reader.next(line) != step) {
        __builtin_trap();
    }
    return 0;
}
