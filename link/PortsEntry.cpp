// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/PortsEntry.h"

#include "radio/PortLabel.h"
#include "system/SystemFile.h"

#include <charconv>
#include <string_view>
#include <vector>

namespace {
// Longer than any device path or address; a file past it is not a ports file.
constexpr std::size_t lineLimit = 1024;

std::string expectedForms(DeviceNames names) {
    return std::string(names == DeviceNames::comPorts
                           ? "a port (\"COM12\", "
                           : "a device (\"/dev/ttyUSB0\", a /dev/serial/by-id name, ") +
           "either followed by \"rtscts\" for RTS/CTS handshake) or \"rigctld HOST:PORT\" "
           "(\"rigctld localhost:4532\")";
}

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

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

// The file's name as the user wrote it, with the system's separators, whatever its script.
std::string shown(const std::filesystem::path& file) {
    const std::u8string name = std::filesystem::path(file).make_preferred().u8string();
    return {name.begin(), name.end()};
}

// Why the folder that holds file cannot say what file opens, when it is no folder or one that
// may not be searched (lookUp: the error of looking file up there, if any); nothing when there
// is no such folder, or it is one that shows its files.
std::optional<PortsEntryProblem> folderProblem(const std::filesystem::path& file,
                                               const std::error_code& lookUp) {
    const std::filesystem::path folder = file.parent_path();
    std::error_code error;
    const auto own = std::filesystem::symlink_status(folder, error);
    if (own.type() == std::filesystem::file_type::not_found) {
        return std::nullopt;
    }
    const auto followed = std::filesystem::status(folder, error);
    const bool isFolder = !error && std::filesystem::is_directory(followed);
    if (isFolder && !lookUp) {
        return std::nullopt;
    }
    const std::error_code& why = error ? error : lookUp;
    const std::string what =
        isFolder || error ? "cannot be read (" + why.message() + ")" : "is not a folder";
    return PortsEntryProblem{shown(folder) + " " + what + ", so it cannot say what " +
                             shown(file.filename()) +
                             " opens; remove it, or make it a folder that you can read"};
}

PortsEntryProblem problem(const std::string& fileName, const std::string& line,
                          const std::string& what) {
    return {fileName + ", line 1 \"" + line + "\": " + what};
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
    const auto port = networkPortNumber(address.substr(colon + 1));
    if (!port) {
        return problem(fileName, line,
                       "expected a port number from 1 to 65535 after the \":\" (rigctld listens "
                       "on 4532 unless told otherwise)");
    }
    return RigctldEntry{host, *port};
}

// The device that the first word of a ports line names on this system, or why it names none.
struct NamedDevice {
    std::string device;
    std::string problem;
};

NamedDevice namedDevice(const std::string& word, DeviceNames names) {
    const int comPort = comPortNumber(word);
    if (names == DeviceNames::paths) {
        if (comPort > 0) {
            return {{},
                    "\"" + word +
                        "\" is a Windows port name, not a device of this system; expected " +
                        expectedForms(names)};
        }
        return {word.find('/') == std::string::npos ? "/dev/serial/by-id/" + word : word, {}};
    }
    if (comPort >= 1 && comPort <= highestPortNumber) {
        return {"COM" + std::to_string(comPort), {}};
    }
    if (comPort > 0) {
        return {{},
                "\"" + word + "\" is no Windows port: they are COM1 to COM" +
                    std::to_string(highestPortNumber)};
    }
    if (word.find('/') != std::string::npos) {
        return {{},
                "\"" + word + "\" is a Linux device, not a Windows port; expected " +
                    expectedForms(names)};
    }
    return {{}, "\"" + word + "\" is not understood; expected " + expectedForms(names)};
}

bool isText(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::symlink_status(file, error));
}
} // namespace

int comPortNumber(const std::string& word) {
    if (word.size() < 4 || word.size() > 6) {
        return 0;
    }
    std::string prefix = word.substr(0, 3);
    for (char& c : prefix) {
        c = static_cast<char>(c & ~0x20);
    }
    unsigned number = 0;
    const auto [end, error] = std::from_chars(word.data() + 3, word.data() + word.size(), number);
    const bool whole = error == std::errc{} && end == word.data() + word.size();
    return prefix == "COM" && whole ? static_cast<int>(number) : 0;
}

std::optional<std::uint16_t> networkPortNumber(const std::string& digits) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() ||
        value < 1 || value > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

std::string RigctldEntry::address() const {
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

PortsEntry parsePortsLine(const std::string& text, const std::string& fileName, DeviceNames names) {
    // A line written on Windows ends in CR LF.
    const std::string line =
        !text.empty() && text.back() == '\r' ? text.substr(0, text.size() - 1) : text;
    if (auto control = controlCharacterProblem(line, fileName)) {
        return *control;
    }
    const std::vector<std::string> words = wordsOf(line);
    if (words.empty()) {
        return problem(fileName, line, "the line is empty; expected " + expectedForms(names));
    }
    if (words[0] == "rigctld") {
        return rigctldEntry(words, fileName, line);
    }
    const NamedDevice named = namedDevice(words[0], names);
    if (!named.problem.empty()) {
        return problem(fileName, line, named.problem);
    }
    SerialDeviceEntry device{named.device};
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

std::optional<PortsEntry> readPortsEntry(const std::filesystem::path& file, DeviceNames names) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    if (error || !std::filesystem::exists(status)) {
        // A ports folder that cannot be read must not let Com N fall back to the N-th device.
        const bool absent = status.type() == std::filesystem::file_type::not_found;
        if (auto unreadable = folderProblem(file, absent ? std::error_code{} : error)) {
            return *unreadable;
        }
        return std::nullopt;
    }
    if (std::filesystem::is_symlink(status)) {
        const std::filesystem::path target = std::filesystem::canonical(file, error);
        if (!error) {
            return SerialDeviceEntry{shown(target)};
        }
        const std::filesystem::path written = std::filesystem::read_symlink(file, error);
        return SerialDeviceEntry{shown((file.parent_path() / written).lexically_normal())};
    }
    if (!isText(file)) {
        return SerialDeviceEntry{shown(file)};
    }
    // Enough for the longest line allowed, with a byte order mark before it and CR LF after.
    std::string text(utf8ByteOrderMark.size() + lineLimit + 2, '\0');
    std::size_t filled = 0;
    SystemFile opened;
    SystemError failed = opened.openForReading(shown(file));
    for (std::size_t count = 1; failed == 0 && count > 0 && filled < text.size(); filled += count) {
        failed = opened.read(text.data() + filled, text.size() - filled, count);
    }
    if (failed != 0) {
        return PortsEntryProblem{shown(file) + " cannot be read: " + systemReason(failed)};
    }
    text.resize(filled);
    std::string line = text.substr(0, text.find('\n'));
    // Windows' Notepad may begin a file with the UTF-8 byte order mark; the CR of its CR LF is
    // the line parser's to take.
    if (line.starts_with(utf8ByteOrderMark)) {
        line.erase(0, utf8ByteOrderMark.size());
    }
    if (line.size() - (line.ends_with('\r') ? 1 : 0) > lineLimit) {
        return PortsEntryProblem{shown(file) + ": the first line is longer than " +
                                 std::to_string(lineLimit) + " characters; expected " +
                                 expectedForms(names)};
    }
    return parsePortsLine(line, shown(file), names);
}
