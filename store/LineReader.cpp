// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "store/LineReader.h"

#include <cstring>

namespace {
// The first CR or LF in the bytes, or nothing.
const char* firstLineEnd(const char* bytes, std::size_t size) {
    const auto* carriageReturn = static_cast<const char*>(std::memchr(bytes, '\r', size));
    const std::size_t before =
        carriageReturn != nullptr ? static_cast<std::size_t>(carriageReturn - bytes) : size;
    const auto* lineFeed = static_cast<const char*>(std::memchr(bytes, '\n', before));
    return lineFeed != nullptr ? lineFeed : carriageReturn;
}
} // namespace

LineReader::LineReader(ByteSource& source, std::size_t lineLimit, std::size_t bufferSize)
    : source_(source), lineLimit_(lineLimit), buffer_(bufferSize > 0 ? bufferSize : 1) {}

LineReader::Step LineReader::next(std::string& line) {
    line.clear();
    if (finished_) {
        return *finished_;
    }
    bool begun = false;
    for (;;) {
        if (begin_ == end_ && !fill()) {
            if (*finished_ == Step::end && begun) {
                return Step::line;
            }
            return *finished_;
        }
        if (lineFeedMayFollow_) {
            lineFeedMayFollow_ = false;
            if (buffer_[begin_] == '\n') {
                ++begin_;
                continue;
            }
        }
        const char* start = buffer_.data() + begin_;
        const std::size_t available = end_ - begin_;
        const char* lineEnd = firstLineEnd(start, available);
        const std::size_t taken =
            lineEnd != nullptr ? static_cast<std::size_t>(lineEnd - start) : available;
        if (line.size() + taken > lineLimit_) {
            return fail("it has a line longer than " + std::to_string(lineLimit_) +
                        " characters, so it is no sentence file");
        }
        line.append(start, taken);
        begun = true;
        begin_ += taken;
        if (lineEnd != nullptr) {
            ++begin_;
            lineFeedMayFollow_ = *lineEnd == '\r';
            return Step::line;
        }
    }
}

bool LineReader::fill() {
    begin_ = 0;
    end_ = 0;
    const ByteSource::Chunk chunk = source_.read(buffer_.data(), buffer_.size());
    if (chunk.failure) {
        (void)fail(*chunk.failure);
        return false;
    }
    if (chunk.size == 0) {
        finished_ = Step::end;
        return false;
    }
    end_ = chunk.size < buffer_.size() ? chunk.size : buffer_.size();
    return true;
}

LineReader::Step LineReader::fail(std::string reason) {
    failure_ = std::move(reason);
    finished_ = Step::failed;
    return Step::failed;
}
