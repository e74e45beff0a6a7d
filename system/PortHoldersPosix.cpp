// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/PortHolders.h"
#include "system/SystemFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <unistd.h>

namespace {
// Far beyond any rigctld's options; a longer command line is read no further.
constexpr std::size_t commandLineLimit = 64 * 1024;

std::string programOf(int processId) {
    std::ifstream comm("/proc/" + std::to_string(processId) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

bool isAlive(int processId) {
    return processId > 0 && (::kill(processId, 0) == 0 || errno == EPERM);
}

// "    4242\n", "4242\nprogram\nhost\n" or four bytes of a binary number.
std::optional<int> lockedProcess(const std::string& content) {
    std::size_t at = 0;
    while (at < content.size() && content[at] == ' ') {
        ++at;
    }
    long long number = 0;
    std::size_t digits = 0;
    while (at < content.size() && std::isdigit(static_cast<unsigned char>(content[at])) &&
           digits < 10) {
        number = number * 10 + (content[at++] - '0');
        ++digits;
    }
    if (digits > 0 && (at == content.size() || content[at] == '\n')) {
        return static_cast<int>(number);
    }
    if (content.size() == sizeof(std::int32_t)) {
        std::int32_t binary = 0;
        std::memcpy(&binary, content.data(), sizeof binary);
        return binary;
    }
    return std::nullopt;
}

// A lock file holds a process number and at most a program's and a computer's name.
constexpr std::size_t lockFileLimit = 256;

std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISLNK(mode)) {
        return "a symbolic link";
    }
    if (S_ISFIFO(mode)) {
        return "a pipe";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    return S_ISSOCK(mode) ? "a socket" : "no regular file";
}

// What lies at a lock file's place.
struct LockFileRead {
    std::string content;
    // What lies there instead of a lock file, in words ("a folder"); empty when it is one, or none.
    std::string strange;
    // Why the lock file there may not be read, in the system's words; empty when it may.
    std::string unreadable;
};

// Reads the lock file at path. Looked at before it is opened, since opening a device or a pipe
// may wait or act, and checked again once open, in case it was swapped in between. A file that
// cannot be looked at reads as none.
LockFileRead lockFileContent(const std::string& path) {
    LockFileRead read;
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return read;
    }
    if (!S_ISREG(status.st_mode)) {
        read.strange = kindOf(status.st_mode);
        return read;
    }
    const SystemFile file{
        ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (!file.isOpen()) {
        const int error = errno;
        if (error == ELOOP) {
            read.strange = kindOf(S_IFLNK);
        } else if (error == EACCES || error == EPERM) {
            read.unreadable = systemReason(error);
        }
        return read;
    }
    if (::fstat(file.descriptor(), &status) != 0) {
        return read;
    }
    if (!S_ISREG(status.st_mode)) {
        read.strange = kindOf(status.st_mode);
        return read;
    }
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (size > lockFileLimit) {
        read.strange = "a file of " + std::to_string(size) +
                       " bytes, where a lock file holds a process number";
        return read;
    }
    std::array<char, lockFileLimit> bytes{};
    std::size_t count = 0;
    if (file.read(bytes.data(), bytes.size(), count) == 0) {
        read.content.assign(bytes.data(), count);
    }
    return read;
}

// The names other programs give the device's lock file: the device's base name ("ttyUSB0"),
// and its path under /dev with "/" as "_" ("pts_3").
std::vector<std::string> lockNames(const std::string& device) {
    const std::filesystem::path path(device);
    std::vector<std::string> names{"LCK.." + path.filename().string()};
    const std::string dev = "/dev/";
    if (device.rfind(dev, 0) == 0) {
        std::string underDev = device.substr(dev.size());
        for (char& c : underDev) {
            c = c == '/' ? '_' : c;
        }
        if ("LCK.." + underDev != names.front()) {
            names.push_back("LCK.." + underDev);
        }
    }
    return names;
}

// Each entry of folder; processes come and go while it is read, so nothing here throws.
template <class Visit> void forEachEntry(const std::filesystem::path& folder, Visit visit) {
    std::error_code error;
    for (std::filesystem::directory_iterator at(folder, error), end; !error && at != end;
         at.increment(error)) {
        if (visit(at->path())) {
            return;
        }
    }
}

// The processes that hold a lock on file, from the system's table of locks: "1: FLOCK  ADVISORY
// WRITE 4242 00:05:1234 0 EOF", the file named by its file system's device numbers in hex and
// its inode. A waiter's line ("1: -> FLOCK ...") holds nothing yet.
std::vector<int> processesLocking(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return {};
    }
    std::ostringstream wanted;
    wanted << std::hex << std::setfill('0') << std::setw(2) << major(status.st_dev) << ':'
           << std::setw(2) << minor(status.st_dev) << ':' << std::dec << status.st_ino;
    std::vector<int> found;
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
        std::istringstream words(line);
        std::string number, kind, mode, access, processId, lockedFile;
        words >> number >> kind >> mode >> access >> processId >> lockedFile;
        if (kind == "->" || lockedFile != wanted.str()) {
            continue;
        }
        // A process of another namespace shows as 0 or -1.
        const int id = std::atoi(processId.c_str());
        if (id > 0) {
            found.push_back(id);
        }
    }
    return found;
}

template <class Keep> std::vector<Holder> processesWhere(Keep keep) {
    std::vector<Holder> found;
    forEachEntry("/proc", [&](const std::filesystem::path& process) {
        const std::string name = process.filename().string();
        if (name.empty() || name.size() > 9 || !std::all_of(name.begin(), name.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c)) != 0;
            })) {
            return false;
        }
        const int processId = std::stoi(name);
        if (keep(process, processId)) {
            found.push_back({processId, programOf(processId)});
        }
        return false;
    });
    return found;
}
} // namespace

LockFileFinding readLockFile(const std::string& device, const std::string& lockFolder) {
    for (const std::string& name : lockNames(device)) {
        const std::string path = lockFolder + "/" + name;
        const LockFileRead read = lockFileContent(path);
        if (!read.strange.empty()) {
            return {std::nullopt, path + " is not a lock file (" + read.strange + ")", {}};
        }
        if (!read.unreadable.empty()) {
            return {std::nullopt,
                    {},
                    "is marked as held in " + path +
                        ", a lock file that this user may not read to learn by whom (" +
                        read.unreadable + ")"};
        }
        const std::optional<int> processId = lockedProcess(read.content);
        if (processId && isAlive(*processId)) {
            return {Holder{*processId, programOf(*processId)}, {}, {}};
        }
    }
    return {};
}

std::vector<Holder> processesHolding(const std::string& device) {
    std::error_code error;
    const std::filesystem::path wanted = std::filesystem::canonical(device, error);
    if (error) {
        return {};
    }
    const int self = ::getpid();
    std::vector<Holder> holders =
        processesWhere([&](const std::filesystem::path& process, int processId) {
            bool holds = false;
            if (processId != self) {
                forEachEntry(process / "fd", [&](const std::filesystem::path& descriptor) {
                    std::error_code gone;
                    holds = std::filesystem::read_symlink(descriptor, gone) == wanted;
                    return holds;
                });
            }
            return holds;
        });
    for (const int processId : processesLocking(wanted)) {
        const bool known = std::any_of(holders.begin(), holders.end(), [&](const Holder& holder) {
            return holder.processId == processId;
        });
        if (processId != self && !known) {
            holders.push_back({processId, programOf(processId)});
        }
    }
    return holders;
}

std::vector<std::string> commandLineOf(int processId) {
    SystemFile file;
    if (file.openForReading("/proc/" + std::to_string(processId) + "/cmdline") != 0) {
        return {};
    }
    std::string bytes;
    std::array<char, 4096> chunk{};
    std::size_t count = 0;
    while (bytes.size() < commandLineLimit && file.read(chunk.data(), chunk.size(), count) == 0 &&
           count > 0) {
        bytes.append(chunk.data(), count);
    }
    // Each argument ends with a NUL.
    std::vector<std::string> words;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        words.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::vector<Holder> processesNamed(const std::string& program) {
    return processesWhere([&](const std::filesystem::path&, int processId) {
        return programOf(processId) == program;
    });
}
