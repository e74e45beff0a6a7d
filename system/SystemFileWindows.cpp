// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/SystemFile.h"
#include "system/WideText.h"

#include <algorithm>
#include <limits>
#include <windows.h>

namespace {
SystemError lastError() {
    return static_cast<SystemError>(GetLastError());
}

SystemError errorOf(BOOL worked) {
    return worked ? 0 : lastError();
}

// Backup semantics let a folder open like a file, so that it is refused as a folder rather
// than with "Access is denied". Others may read and write beside us, as on POSIX.
HANDLE openPath(const std::string& path, DWORD access, DWORD creation) {
    return CreateFileW(wideText(path).c_str(), access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, creation,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Windows reads and writes at most 4 GiB at once; the caller takes the rest in another call.
DWORD partOf(std::size_t size) {
    return static_cast<DWORD>(std::min<std::size_t>(size, std::numeric_limits<DWORD>::max()));
}

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}
} // namespace

// Windows ends its messages with a full stop and a line end; the program's own words follow
// a reason, as they do the POSIX wording, which has neither.
std::string systemReason(SystemError error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason = length > 0 ? utf8Text(text, length) : std::string{};
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.')) {
        reason.pop_back();
    }
    return reason.empty() ? "system error " + std::to_string(error) : reason;
}

SystemError SystemFile::openForReading(const std::string& path) {
    *this = SystemFile{openPath(path, GENERIC_READ, OPEN_EXISTING)};
    return isOpen() ? 0 : lastError();
}

SystemError SystemFile::openStandardInput() {
    HANDLE copy = INVALID_HANDLE_VALUE;
    const HANDLE process = GetCurrentProcess();
    if (!DuplicateHandle(process, GetStdHandle(STD_INPUT_HANDLE), process, &copy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
        return lastError();
    }
    *this = SystemFile{copy};
    return 0;
}

SystemError SystemFile::openForAppending(const std::string& path, bool& readable) {
    readable = true;
    *this = SystemFile{openPath(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS)};
    if (!isOpen() && GetLastError() == ERROR_ACCESS_DENIED) {
        readable = false;
        *this = SystemFile{openPath(path, GENERIC_WRITE, OPEN_ALWAYS)};
    }
    return isOpen() ? 0 : lastError();
}

SystemError SystemFile::status(Status& status) const {
    SetLastError(NO_ERROR);
    const DWORD type = GetFileType(handle());
    if (type == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR) {
        return lastError();
    }
    if (type != FILE_TYPE_DISK) {
        status.kind = Kind::other;
        status.size = 0;
        return 0;
    }
    BY_HANDLE_FILE_INFORMATION found{};
    if (!GetFileInformationByHandle(handle(), &found)) {
        return lastError();
    }
    status.kind =
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Kind::folder : Kind::regular;
    status.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    return 0;
}

SystemError SystemFile::read(char* buffer, std::size_t capacity, std::size_t& count) const {
    DWORD done = 0;
    const SystemError error = errorOf(ReadFile(handle(), buffer, partOf(capacity), &done, nullptr));
    count = done;
    return error;
}

// ReadFile at an offset moves the file's position, which pread leaves alone; it is put back.
// At or beyond the end, such a read fails with ERROR_HANDLE_EOF: nothing read.
SystemError SystemFile::readAt(std::uint64_t offset, char* buffer, std::size_t size,
                               std::size_t& count) const {
    LARGE_INTEGER position{};
    if (!SetFilePointerEx(handle(), LARGE_INTEGER{}, &position, FILE_CURRENT)) {
        return lastError();
    }
    OVERLAPPED from = at(offset);
    DWORD done = 0;
    const SystemError error = errorOf(ReadFile(handle(), buffer, partOf(size), &done, &from));
    count = done;
    SetFilePointerEx(handle(), position, nullptr, FILE_BEGIN);
    return error == ERROR_HANDLE_EOF ? 0 : error;
}

// An offset of all ones writes at the end of the file, where the file is when the write
// begins, as O_APPEND does.
SystemError SystemFile::write(const char* bytes, std::size_t size, std::size_t& count) const {
    OVERLAPPED position = at(std::numeric_limits<std::uint64_t>::max());
    DWORD done = 0;
    const SystemError error = errorOf(WriteFile(handle(), bytes, partOf(size), &done, &position));
    count = done;
    return error;
}

SystemError SystemFile::truncate(std::uint64_t size) const {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
    return errorOf(SetFileInformationByHandle(handle(), FileEndOfFileInfo, &end, sizeof end));
}

SystemError SystemFile::close() {
    if (!isOpen()) {
        return 0;
    }
    return errorOf(CloseHandle(reinterpret_cast<HANDLE>(std::exchange(native_, closed))));
}

SystemError truncateFile(const std::string& path, std::uint64_t size) {
    SystemFile file{openPath(path, GENERIC_WRITE, OPEN_EXISTING)};
    if (!file.isOpen()) {
        return lastError();
    }
    if (const SystemError error = file.truncate(size)) {
        return error;
    }
    return file.close();
}

void failWritesBeyondFileSizeLimit() {}
