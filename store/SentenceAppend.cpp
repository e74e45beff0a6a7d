// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "store/SentenceAppend.h"

#include "store/RegularFile.h"
#include "system/SystemFile.h"

namespace {
constexpr const char* lineEnd = "\r\n";

// A line ends at an LF, a CR LF or a CR. When the end cannot be read, the text gets a line of
// its own anyway: an empty line costs nothing, a sentence run into the line before it is lost to
// Open.
bool lastLineEnded(const SystemFile& file, bool readable, std::uint64_t size) {
    if (size == 0) {
        return true;
    }
    if (!readable) {
        return false;
    }
    char last = 0;
    std::size_t count = 0;
    if (file.readAt(size - 1, &last, 1, count) != 0 || count != 1) {
        return false;
    }
    return last == '\r' || last == '\n';
}

Result writeAll(const SystemFile& file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t count = 0;
        if (const SystemError error = file.write(bytes.data() + done, bytes.size() - done, count)) {
            return Result::failure(systemReason(error));
        }
        if (count == 0) {
            return Result::failure("the system took no bytes");
        }
        done += count;
    }
    return Result::success();
}

Result cutBack(const std::string& reason, SystemError cutBackError) {
    if (cutBackError == 0) {
        return Result::failure(reason + "; the file is as it was");
    }
    return Result::failure(
        reason + "; the part written could not be taken back: " + systemReason(cutBackError));
}
} // namespace

Result appendSentenceLine(const std::string& path, const std::string& text) {
    SystemFile file;
    bool readable = true;
    if (const SystemError error = file.openForAppending(path, readable)) {
        return Result::failure(systemReason(error));
    }
    std::uint64_t before = 0;
    if (const auto refused = notRegularReason(file, &before)) {
        return Result::failure(*refused);
    }

    // One buffer and one write, so that a failure leaves at most one part-line to take back.
    std::string bytes;
    if (!lastLineEnded(file, readable, before)) {
        bytes += lineEnd;
    }
    bytes += text;
    bytes += lineEnd;
    if (const Result written = writeAll(file, bytes); !written) {
        return cutBack(written.reason(), file.truncate(before));
    }
    // Some file systems report a failed write only at the close.
    if (const SystemError closeError = file.close()) {
        return cutBack(systemReason(closeError), truncateFile(path, before));
    }
    return Result::success();
}
