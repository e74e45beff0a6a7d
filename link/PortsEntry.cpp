// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/PortsEntry.h"

#include <charconv>
#include <fstream>
#include <vector>

namespace {
// Longer than any device path or address; a file past it is not a ports file.
constexpr std::size_t lineLimit = 1024;

const char* const expectedForms =
    "a device (\"/dev/ttyUSB0\", a /dev/serial/by-id name, either followed by \"rtscts\" "
    "for RTS/CTS handshake) or \"rigctld HOST:PORT\" (\"rigctld localhost:4532\")";

std::vector<std::string> wordsOf(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : line + ' ') {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) {
                words.push_back(std::move(word));
                word.clear();
            }
        } else {
            word += c;
        }
    }
    return words;
}

std::string controlName(unsigned char c) {
    switch (c) {
    case 0:
        return "NUL";
    case '\r':
        return "a carriage return";
    case 0x1b:
        return "escape";
    default:
        return "code " + std::to_string(c);
    }
}

// A control character would reach the system as part of a device's name, which stops at a NUL
// and so opens another device than the one written, or turn a device into two words. Tabs
// separate words.
std::optional<PortsEntryProblem> controlCharacterProblem(const std::string& line,
                                                         const std::string& fileName) {
    for (std::size_t at = 0; at < line.size(); ++at) {
        const auto c = static_cast<unsigned char>(line[at]);
        if ((c < ' ' && c != '\t') || c == 0x7f) {
            return PortsEntryProblem{fileName + ", line 1, character " + std::to_string(at + 1) +
                                     ": a control character (" + controlName(c) +
                                     "), which no device or address holds; write the line "
                                     "again with a text editor"};
        }
    }
    return std::nullopt;
}

// Why the folder that holds file cannot say what file opens, when it is no readable folder;
// nothing when there is no such folder, or it is one.
std::optional<PortsEntryProblem> folderProblem(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    std::error_code error;
    const auto own = std::filesystem::symlink_status(folder, error);
    if (own.type() == std::filesystem::file_type::not_found) {
        return std::nullopt;
    }
    const auto followed = std::filesystem::status(folder, error);
    if (!error && std::filesystem::is_directory(followed)) {
        return std::nullopt;
    }
    const std::string why = error ? "cannot be read (" + error.message() + ")" : "is not a folder";
    return PortsEntryProblem{folder.string() + " " + why + ", so it cannot say what " +
                             file.filename().string() +
                             " opens; remove it, or make it a folder that you can read"};
}

PortsEntryProblem problem(const std::string& fileName, const std::string& line,
                          const std::string& what) {
    return {fileName + ", line 1 \"" + line + "\": " + what};
}

std::optional<std::uint16_t> portNumber(const std::string& digits) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() ||
        value < 1 || value > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

PortsEntry rigctldEntry(const std::vector<std::string>& words, const std::string& fileName,
                        const std::string& line) {
    if (words.size() != 2) {
        return problem(fileName, line,
                       "expected one address after \"rigctld\", as in \"rigctld localhost:4532\"");
    }
    const std::string& address = words[1];
    const std::size_t colon = address.rfind(':');
    std::string host = colon == std::string::npos ? std::string{} : address.substr(0, colon);
    const bool bracketed = host.size() >= 2 && host.front() == '[' && host.back() == ']';
    if (bracketed) {
        host = host.substr(1, host.size() - 2);
    }
    if (host.empty() || host.find_first_of("[]") != std::string::npos ||
        (!bracketed && host.find(':') != std::string::npos)) {
        return problem(fileName, line,
                       "expected HOST:PORT after \"rigctld\", as in \"rigctld localhost:4532\" "
                       "(an IPv6 address in brackets: \"rigctld [::1]:4532\")");
    }
    const auto port = portNumber(address.substr(colon + 1));
    if (!port) {
        return problem(fileName, line,
                       "expected a port number from 1 to 65535 after the \":\" (rigctld listens "
                       "on 4532 unless told otherwise)");
    }
    return RigctldEntry{host, *port};
}

bool isText(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::symlink_status(file, error));
}
} // namespace

std::string RigctldEntry::address() const {
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

PortsEntry parsePortsLine(const std::string& text, const std::string& fileName) {
    // A line written on Windows ends in CR LF.
    const std::string line =
        !text.empty() && text.back() == '\r' ? text.substr(0, text.size() - 1) : text;
    if (auto control = controlCharacterProblem(line, fileName)) {
        return *control;
    }
    const std::vector<std::string> words = wordsOf(line);
    if (words.empty()) {
        return problem(fileName, line, std::string("the line is empty; expected ") + expectedForms);
    }
    if (words[0] == "rigctld") {
        return rigctldEntry(words, fileName, line);
    }
    SerialDeviceEntry device{words[0]};
    if (device.device.find('/') == std::string::npos) {
        device.device = "/dev/serial/by-id/" + device.device;
    }
    for (std::size_t at = 1; at < words.size(); ++at) {
        if (words[at] != "rtscts" || device.handshake) {
            return problem(fileName, line,
                           "\"" + words[at] +
                               "\" is not understood; after the device only \"rtscts\" may "
                               "follow, for RTS/CTS handshake");
        }
        device.handshake = true;
    }
    return device;
}

std::optional<PortsEntry> readPortsEntry(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    if (error || !std::filesystem::exists(status)) {
        // A ports folder that cannot be read must not let Com N fall back to the N-th device.
        if (auto unreadable = folderProblem(file)) {
            return *unreadable;
        }
        return std::nullopt;
    }
    if (std::filesystem::is_symlink(status)) {
        const std::filesystem::path target = std::filesystem::canonical(file, error);
        if (!error) {
            return SerialDeviceEntry{target.string()};
        }
        const std::filesystem::path written = std::filesystem::read_symlink(file, error);
        return SerialDeviceEntry{(file.parent_path() / written).lexically_normal().string()};
    }
    if (!isText(file)) {
        return SerialDeviceEntry{file.string()};
    }
    std::ifstream text(file, std::ios::binary);
    std::string line;
    char c = 0;
    while (line.size() <= lineLimit && text.get(c) && c != '\n') {
        line += c;
    }
    if (!text && !text.eof()) {
        return PortsEntryProblem{file.string() + " could not be read"};
    }
    if (line.size() > lineLimit) {
        return PortsEntryProblem{file.string() + ": the first line is longer than " +
                                 std::to_string(lineLimit) + " characters; expected " +
                                 expectedForms};
    }
    return parsePortsLine(line, file.string());
}
