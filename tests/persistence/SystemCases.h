// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "system/SystemFile.h"
#include "tests/persistence/TempFolder.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#endif

// What the file tables need from each system: the errors for a missing file and a missing
// folder, a device, and a pipe that nobody writes to, there while this lives.
class SystemCases {
public:
#ifdef _WIN32
    static constexpr SystemError noSuchFile = ERROR_FILE_NOT_FOUND;
    static constexpr SystemError noSuchFolder = ERROR_PATH_NOT_FOUND;
    static constexpr const char* device = "NUL";
    static inline const std::string folderForSaving = "it is a folder, not a file";

    // Pipes have names of their own, outside every folder.
    explicit SystemCases(const TempFolder&)
        : pipe_(R"(\\.\pipe\sonavel-)" + std::to_string(GetCurrentProcessId())) {
        server_ = CreateNamedPipeA(pipe_.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE,
                                   PIPE_UNLIMITED_INSTANCES, 0, 0, 0, nullptr);
        madePipe_ = server_ != INVALID_HANDLE_VALUE;
    }
    ~SystemCases() {
        CloseHandle(server_);
    }
#else
    static constexpr SystemError noSuchFile = ENOENT;
    static constexpr SystemError noSuchFolder = ENOENT;
    static constexpr const char* device = "/dev/zero";
    static inline const std::string folderForSaving = std::strerror(EISDIR);

    explicit SystemCases(const TempFolder& folder) : pipe_(folder.path("pipe")) {
        madePipe_ = mkfifo(pipe_.c_str(), 0600) == 0;
    }
#endif
    SystemCases(const SystemCases&) = delete;
    SystemCases& operator=(const SystemCases&) = delete;

    bool madePipe() const {
        return madePipe_;
    }
    const std::string& pipe() const {
        return pipe_;
    }

private:
    std::string pipe_;
    bool madePipe_ = false;
#ifdef _WIN32
    HANDLE server_ = INVALID_HANDLE_VALUE;
#endif
};
