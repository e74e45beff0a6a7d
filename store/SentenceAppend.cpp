#include "store/SentenceAppend.h"

#include "store/SystemFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr const char* lineEnd = "\r\n";

// O_NONBLOCK keeps the open of a pipe without a reader from waiting; such a file is refused
// anyway. A file the user may write but not read still takes the sentence.
SystemFile openForAppending(const std::string& path, bool& readable) {
    constexpr int flags = O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC;
    constexpr mode_t everyoneMayReadAndWrite = 0666;
    readable = true;
    SystemFile file{::open(path.c_str(), O_RDWR | flags, everyoneMayReadAndWrite)};
    if (!file.isOpen() && errno == EACCES) {
        readable = false;
        file = SystemFile{::open(path.c_str(), O_WRONLY | flags, everyoneMayReadAndWrite)};
    }
    return file;
}

// A line ends at a CR, with or without an LF after it; an LF alone is part of the line. When
// the end cannot be read, the text gets a line of its own anyway: an empty line costs nothing,
// a sentence run into the line before it is lost to Open.
bool lastLineEnded(const SystemFile& file, bool readable, off_t size) {
    if (size == 0) {
        return true;
    }
    if (!readable) {
        return false;
    }
    char tail[2] = {};
    const off_t from = size >= 2 ? size - 2 : 0;
    const auto wanted = static_cast<std::size_t>(size - from);
    if (::pread(file.descriptor(), tail, wanted, from) != static_cast<ssize_t>(wanted)) {
        return false;
    }
    const char last = tail[wanted - 1];
    return last == '\r' || (last == '\n' && wanted == 2 && tail[0] == '\r');
}

Result writeAll(const SystemFile& file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(file.descriptor(), bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return Result::failure(systemReason(errno));
        }
        if (count == 0) {
            return Result::failure("the system took no bytes");
        }
        done += static_cast<std::size_t>(count);
    }
    return Result::success();
}

// The error number of the cut back, 0 when the file is back to its former length.
int errorOf(int result) {
    return result == 0 ? 0 : errno;
}

Result cutBack(const std::string& reason, int cutBackError) {
    if (cutBackError == 0) {
        return Result::failure(reason + "; the file is as it was");
    }
    return Result::failure(
        reason + "; the part written could not be taken back: " + systemReason(cutBackError));
}
} // namespace

Result appendSentenceLine(const std::string& path, const std::string& text) {
    bool readable = true;
    SystemFile file = openForAppending(path, readable);
    if (!file.isOpen()) {
        return Result::failure(systemReason(errno));
    }
    off_t before = 0;
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
        return cutBack(written.reason(), errorOf(::ftruncate(file.descriptor(), before)));
    }
    // Some file systems report a failed write only at the close.
    if (const int closeError = file.close(); closeError != 0) {
        return cutBack(systemReason(closeError), errorOf(::truncate(path.c_str(), before)));
    }
    return Result::success();
}
