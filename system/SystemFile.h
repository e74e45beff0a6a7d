// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

// The system's number for what went wrong (errno on POSIX, GetLastError() on Windows); 0 for
// nothing.
using SystemError = int;

// The system's wording of an error number.
std::string systemReason(SystemError error);

// A file of the system, closed when it goes unless closed explicitly before. Every call answers
// 0 when it worked, else the system's error; a call that a signal interrupted is made again.
// Paths are the system's 8-bit names, as the file dialog gives them: the file system's bytes on
// POSIX, UTF-8 on Windows.
class SystemFile {
public:
    enum class Kind { regular, folder, other };
    struct Status {
        Kind kind = Kind::other;
        std::uint64_t size = 0;
    };

    SystemFile() = default;
#ifdef _WIN32
    explicit SystemFile(void* handle) : native_(reinterpret_cast<std::intptr_t>(handle)) {}
    void* handle() const {
        return reinterpret_cast<void*>(native_);
    }
#else
    explicit SystemFile(int descriptor) : native_(descriptor) {}
    int descriptor() const {
        return static_cast<int>(native_);
    }
#endif
    SystemFile(SystemFile&& other) noexcept : native_(std::exchange(other.native_, closed)) {}
    SystemFile& operator=(SystemFile&& other) noexcept {
        if (this != &other) {
            (void)close();
            native_ = std::exchange(other.native_, closed);
        }
        return *this;
    }
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;
    ~SystemFile() {
        (void)close();
    }

    // An existing file, to read from. Opening never waits, not even for a pipe without a writer
    // or a device that does not answer, so that such a file can be looked at and refused.
    SystemError openForReading(const std::string& path);
    // The program's standard input, as a file of its own that closing leaves open for the rest
    // of the program.
    SystemError openStandardInput();
    // A file to append to, made when missing. Every write goes to the end. readable says whether
    // the file could be opened for reading too: one the user may write but not read is taken.
    SystemError openForAppending(const std::string& path, bool& readable);

    bool isOpen() const {
        return native_ != closed;
    }
    SystemError status(Status& status) const;
    // count is 0 at the end of the file.
    SystemError read(char* buffer, std::size_t capacity, std::size_t& count) const;
    // Reads from offset, wherever the reads and writes before left off.
    SystemError readAt(std::uint64_t offset, char* buffer, std::size_t size,
                       std::size_t& count) const;
    // count may be less than size when the system took only part.
    SystemError write(const char* bytes, std::size_t size, std::size_t& count) const;
    // Cuts the file back to size bytes.
    SystemError truncate(std::uint64_t size) const;
    // The file is closed afterwards even when closing reports an error, so it is never retried.
    SystemError close();

private:
    // -1 is no descriptor on POSIX and INVALID_HANDLE_VALUE on Windows.
    static constexpr std::intptr_t closed = -1;
    std::intptr_t native_ = closed;
};

// Cuts the file at path back to size bytes, for when it is no longer open.
SystemError truncateFile(const std::string& path, std::uint64_t size);

// Makes a write beyond the user's file-size limit fail with EFBIG, like a write to a full disk,
// instead of ending the program; a handler someone else installed is kept. Called once, at the
// program's start. Windows has no such limit.
void failWritesBeyondFileSizeLimit();
