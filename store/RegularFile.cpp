// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "store/RegularFile.h"

std::optional<std::string> notRegularReason(const SystemFile& file, std::uint64_t* size) {
    SystemFile::Status status;
    if (const SystemError error = file.status(status)) {
        return systemReason(error);
    }
    switch (status.kind) {
    case SystemFile::Kind::regular:
        if (size) {
            *size = status.size;
        }
        return std::nullopt;
    case SystemFile::Kind::folder:
        return "it is a folder, not a file";
    case SystemFile::Kind::other:
        break;
    }
    return "it is a device, pipe or socket, not a regular file";
}
