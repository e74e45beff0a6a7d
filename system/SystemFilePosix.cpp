// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/SystemFile.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
SystemError errorOf(int result) {
    return result == 0 ? 0 : errno;
}

// The count of a call that a signal may interrupt, made again until it is not.
template <typename Call> SystemError counted(std::size_t& count, Call call) {
    for (;;) {
        const ssize_t result = call();
        if (result >= 0) {
            count = static_cast<std::size_t>(result);
            return 0;
        }
        if (errno != EINTR) {
            count = 0;
            return errno;
        }
    }
}
} // namespace

std::string systemReason(SystemError error) {
    return std::strerror(error);
}

// Without O_NONBLOCK, opening a pipe waits for a writer that may never come. The flag has no
// effect on reading a regular file, the only kind kept open.
SystemError SystemFile::openForReading(const std::string& path) {
    *this = SystemFile{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    return isOpen() ? 0 : errno;
}

SystemError SystemFile::openStandardInput() {
    *this = SystemFile{::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0)};
    return isOpen() ? 0 : errno;
}

SystemError SystemFile::openForAppending(const std::string& path, bool& readable) {
    constexpr int flags = O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC;
    constexpr mode_t everyoneMayReadAndWrite = 0666;
    readable = true;
    *this = SystemFile{::open(path.c_str(), O_RDWR | flags, everyoneMayReadAndWrite)};
    if (!isOpen() && errno == EACCES) {
        readable = false;
        *this = SystemFile{::open(path.c_str(), O_WRONLY | flags, everyoneMayReadAndWrite)};
    }
    return isOpen() ? 0 : errno;
}

SystemError SystemFile::status(Status& status) const {
    struct stat found {};
    if (::fstat(descriptor(), &found) != 0) {
        return errno;
    }
    status.kind = S_ISREG(found.st_mode)   ? Kind::regular
                  : S_ISDIR(found.st_mode) ? Kind::folder
                                           : Kind::other;
    status.size = static_cast<std::uint64_t>(found.st_size);
    return 0;
}

SystemError SystemFile::read(char* buffer, std::size_t capacity, std::size_t& count) const {
    return counted(count, [&] { return ::read(descriptor(), buffer, capacity); });
}

SystemError SystemFile::readAt(std::uint64_t offset, char* buffer, std::size_t size,
                               std::size_t& count) const {
    return counted(count,
                   [&] { return ::pread(descriptor(), buffer, size, static_cast<off_t>(offset)); });
}

SystemError SystemFile::write(const char* bytes, std::size_t size, std::size_t& count) const {
    return counted(count, [&] { return ::write(descriptor(), bytes, size); });
}

SystemError SystemFile::truncate(std::uint64_t size) const {
    return errorOf(::ftruncate(descriptor(), static_cast<off_t>(size)));
}

SystemError SystemFile::close() {
    if (!isOpen()) {
        return 0;
    }
    return errorOf(::close(static_cast<int>(std::exchange(native_, closed))));
}

SystemError truncateFile(const std::string& path, std::uint64_t size) {
    return errorOf(::truncate(path.c_str(), static_cast<off_t>(size)));
}

void failWritesBeyondFileSizeLimit() {
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
        ::signal(SIGXFSZ, SIG_IGN);
    }
}
