#pragma once

#include <optional>
#include <string>
#include <sys/stat.h>
#include <utility>

// A file descriptor of the system, closed when it goes unless closed explicitly before.
class SystemFile {
public:
    SystemFile() = default;
    explicit SystemFile(int descriptor) : descriptor_(descriptor) {}
    SystemFile(SystemFile&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
    SystemFile& operator=(SystemFile&& other) noexcept;
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;
    ~SystemFile();

    bool isOpen() const { return descriptor_ >= 0; }
    int descriptor() const { return descriptor_; }
    // The system's error number when closing failed, 0 when it worked.
    int close();

private:
    int descriptor_ = -1;
};

// Makes a write beyond the user's file-size limit fail with EFBIG, like a write to a full disk,
// instead of ending the program; a handler someone else installed is kept. Called once, at the
// program's start.
void failWritesBeyondFileSizeLimit();

// The system's wording of an error number.
std::string systemReason(int error);

// Why an open file is no sentence file; nothing for a regular file, whose length is then put
// in size. A pipe or device never ends or never answers, so reading one could hold the window
// for ever.
std::optional<std::string> notRegularReason(const SystemFile& file, off_t* size = nullptr);
