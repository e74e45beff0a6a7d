// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Where the line reader gets its bytes from.
class ByteSource {
public:
    struct Chunk {
        std::size_t size = 0; // 0 at the end of the bytes
        std::optional<std::string> failure;
    };

    virtual ~ByteSource() = default;
    virtual Chunk read(char* buffer, std::size_t capacity) = 0;
};

// Splits bytes into sentence-file lines. A line ends at an LF, a CR LF or a CR, as files written
// on any system end their lines. The last line may lack a line end. Bytes are characters one to
// one.
class LineReader {
public:
    // No sentence line comes near this; a file without line ends must not fill the memory.
    static constexpr std::size_t defaultLineLimit = 1024 * 1024;

    enum class Step { line, end, failed };

    explicit LineReader(ByteSource& source, std::size_t lineLimit = defaultLineLimit,
                        std::size_t bufferSize = 64 * 1024);

    // The next line, without its line end, goes into line. After the end or a failure every
    // further call gives the same.
    Step next(std::string& line);
    // Why reading failed, worded for the user.
    const std::string& failure() const { return failure_; }

private:
    bool fill();
    Step fail(std::string reason);

    ByteSource& source_;
    std::size_t lineLimit_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    // A CR ended the last line; an LF that comes next is part of that line end.
    bool lineFeedMayFollow_ = false;
    std::optional<Step> finished_;
    std::string failure_;
};
