// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>

// What the user is told about the files the program reads, in the same words in the window's
// notice box and on the command line.
namespace file_reports {
inline std::string fileNamed(const std::string& name) {
    return "The file \"" + name + "\"";
}

// what: "The file \"x\"", or another source of a sentence.
inline std::string notOpened(const std::string& what, const std::string& reason) {
    return what + " could not be opened: " + reason;
}

inline std::string notReadToEnd(const std::string& what, const std::string& reason) {
    return what + " could not be read to the end: " + reason;
}
} // namespace file_reports
