#include "store/InputFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

// Without O_NONBLOCK, opening a pipe waits for a writer that may never come. The flag has no
// effect on reading a regular file, the only kind kept open.
Result InputFile::open(const std::string& path) {
    SystemFile file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (!file.isOpen()) {
        return Result::failure(systemReason(errno));
    }
    if (const auto refused = notRegularReason(file)) {
        return Result::failure(*refused);
    }
    file_ = std::move(file);
    return Result::success();
}

Result InputFile::openStandardInput() {
    SystemFile file{::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0)};
    if (!file.isOpen()) {
        return Result::failure(systemReason(errno));
    }
    file_ = std::move(file);
    return Result::success();
}

ByteSource::Chunk InputFile::read(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t count = ::read(file_.descriptor(), buffer, capacity);
        if (count >= 0) {
            return {static_cast<std::size_t>(count), std::nullopt};
        }
        if (errno != EINTR) {
            return {0, systemReason(errno)};
        }
    }
}
