// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "store/InputFile.h"

#include "store/RegularFile.h"

Result InputFile::open(const std::string& path) {
    SystemFile file;
    if (const SystemError error = file.openForReading(path)) {
        return Result::failure(systemReason(error));
    }
    if (const auto refused = notRegularReason(file)) {
        return Result::failure(*refused);
    }
    file_ = std::move(file);
    return Result::success();
}

Result InputFile::openStandardInput() {
    SystemFile file;
    if (const SystemError error = file.openStandardInput()) {
        return Result::failure(systemReason(error));
    }
    file_ = std::move(file);
    return Result::success();
}

ByteSource::Chunk InputFile::read(char* buffer, std::size_t capacity) {
    std::size_t count = 0;
    if (const SystemError error = file_.read(buffer, capacity, count)) {
        return {0, systemReason(error)};
    }
    return {count, std::nullopt};
}
