#include "store/SystemFile.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>

SystemFile& SystemFile::operator=(SystemFile&& other) noexcept {
    if (this != &other) {
        (void)close();
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

SystemFile::~SystemFile() {
    (void)close();
}

// The descriptor is gone after close() even when it reports an error, so it is never retried.
int SystemFile::close() {
    if (descriptor_ < 0) {
        return 0;
    }
    const int result = ::close(std::exchange(descriptor_, -1));
    return result == 0 ? 0 : errno;
}

void failWritesBeyondFileSizeLimit() {
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
        ::signal(SIGXFSZ, SIG_IGN);
    }
}

std::string systemReason(int error) {
    return std::strerror(error);
}

std::optional<std::string> notRegularReason(const SystemFile& file, off_t* size) {
    struct stat status {};
    if (::fstat(file.descriptor(), &status) != 0) {
        return systemReason(errno);
    }
    if (S_ISREG(status.st_mode)) {
        if (size) {
            *size = status.st_size;
        }
        return std::nullopt;
    }
    if (S_ISDIR(status.st_mode)) {
        return "it is a folder, not a file";
    }
    return "it is a device, pipe or socket, not a regular file";
}
