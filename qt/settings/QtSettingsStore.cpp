// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/settings/QtSettingsStore.h"

#include "qt/Latin1Text.h"
#include "qt/ProgramFolder.h"
#include "qt/settings/SettingValueText.h"
#include "qt/settings/SettingsLeftovers.h"
#include "qt/settings/SettingsWriteLock.h"
#include "settings/StoredSettings.h"
#include "system/ConfigFolder.h"
#include "system/SystemFile.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>
#include <variant>

namespace {

// Longer than any write takes, and short enough that the window still seems to answer.
constexpr std::chrono::milliseconds longestWait{500};

QString groupFor(const std::string& application, const std::string& section) {
    return toQString(application == stored::application ? section : application + "/" + section);
}

QString folded(const QString& key) {
    return toQString(foldedKey(fromQString(key)));
}

// The key as written by this store wins; among keys typed by hand in other cases the first in
// QSettings' sorted order does, so that a file reads the same every time.
std::optional<std::string> lookUp(QSettings& settings, const QString& key) {
    if (settings.contains(key)) {
        return settingValueText(settings.value(key));
    }
    const QStringList keys = settings.childKeys();
    for (const QString& candidate : keys) {
        if (folded(candidate) == key) {
            return settingValueText(settings.value(candidate));
        }
    }
    return std::nullopt;
}

std::string nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The file a path names now, as device and inode; nothing when there is none.
std::optional<std::pair<dev_t, ino_t>> fileAt(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return std::pair{status.st_dev, status.st_ino};
}

std::string unsaved(const std::string& why) {
    return "The setting could not be saved: " + why + ".";
}

std::string withReason(const std::string& what, int error) {
    return what + " (" + systemReason(error) + ")";
}

std::string misplacedFolder(const std::string& file) {
    return file + " is a folder, where the settings file should be";
}

// Why what is at the path is no settings file that Qt may read; nothing for a regular file or
// none. Qt would wait for ever on a pipe, and a folder it only fails to read.
std::optional<std::string> notRegularReason(const std::string& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return S_ISDIR(status.st_mode)
               ? misplacedFolder(file)
               : file + " is a device, pipe or socket, where the settings file should be";
}

std::string noFolderReason() {
    return "there is no folder for the settings, since " + userConfigFolder().missing +
           "; set HOME to your home folder";
}

std::string noRoomFor(const std::string& file, int error) {
    return unsaved(withReason("there is no room for " + file, error));
}

// The most the file can hold after one value is written: an escaped character takes up to four
// bytes, and a new section needs its header.
std::uintmax_t mostBytesAfterWriting(const std::string& file, const std::string& key,
                                     const std::string& value) {
    std::error_code unknown;
    const std::uintmax_t size = std::filesystem::file_size(file, unknown);
    return (unknown ? 0 : size) + 4 * (key.size() + value.size()) + 64;
}

// QSettings does not notice a write that the system takes only in part, and would put the cut
// file in place of the whole one; so a write that may not fit under the file-size limit or on
// the disk, beside the old file it replaces, is not begun.
std::optional<std::string> noRoomReason(const std::string& file, std::uintmax_t bytes) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        bytes > limit.rlim_cur) {
        return noRoomFor(file, EFBIG);
    }
    struct statvfs space {};
    const std::string folder = std::filesystem::path(file).parent_path().string();
    if (::statvfs(folder.c_str(), &space) == 0 &&
        static_cast<std::uintmax_t>(space.f_bavail) * space.f_frsize < bytes) {
        return noRoomFor(file, ENOSPC);
    }
    return std::nullopt;
}

// QSettings tells no error number, so the steps of a write are tried again with the system's
// own calls, whose error names the cause: the folder, reading and writing the file, and room
// beside it for the new copy that replaces it.
std::string unwritableReason(const std::string& file, std::uintmax_t bytesNeeded) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(file).parent_path();
    std::error_code error;
    if (fs::exists(folder, error) && !fs::is_directory(folder, error)) {
        return unsaved(folder.string() + " is a file, where the settings folder should be");
    }
    if (fs::is_directory(file, error)) {
        return unsaved(misplacedFolder(file));
    }
    if (fs::create_directories(folder, error); error) {
        return unsaved(
            withReason("the folder " + folder.string() + " cannot be made", error.value()));
    }
    if (fs::exists(file, error)) {
        for (const int access : {O_RDONLY, O_WRONLY}) {
            const SystemFile opened{::open(file.c_str(), access | O_NONBLOCK | O_CLOEXEC)};
            if (!opened.isOpen()) {
                const char* what = access == O_RDONLY ? " cannot be read" : " cannot be written";
                return unsaved(withReason(file + what, errno));
            }
        }
    }
    // A file without a name, which nothing has to remove, however the program ends.
    const SystemFile probe{::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600)};
    if (!probe.isOpen()) {
        return unsaved(withReason("no file can be made in " + folder.string(), errno));
    }
    if (const int room = ::posix_fallocate(probe.descriptor(), 0, static_cast<off_t>(bytesNeeded));
        room != 0) {
        return noRoomFor(file, room);
    }
    return unsaved(file + " cannot be written");
}

// The program's own settings take under 1 KiB. A file many times larger is damage, which
// QSettings would read and rewrite whole at every start and every choice.
constexpr off_t largestSettingsFile = 64 * 1024;

// Moves the file to a name beside it that says it was taken as damaged and when, never over
// another file; the new name, or the system's error number.
std::variant<std::string, int> movedAside(const std::string& file) {
    // time() follows a clock that lags the real one by up to a tick.
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string name = file + ".damaged-" + stamp;
    for (int n = 1;; ++n) {
        const std::string candidate = n == 1 ? name : name + "-" + std::to_string(n);
        const char* to = candidate.c_str();
        if (::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, to, RENAME_NOREPLACE) == 0) {
            return candidate;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
}

// False when QSettings could not write the file.
bool writeThroughQSettings(const QString& path, const QString& group, const QString& name,
                           const QString& value) {
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(group);
    // One entry per key, so that what is read later is what was written now.
    const QStringList keys = settings.childKeys();
    for (const QString& other : keys) {
        if (other != name && folded(other) == name) {
            settings.remove(other);
        }
    }
    settings.setValue(name, value);
    settings.sync();
    return settings.status() != QSettings::AccessError;
}
} // namespace

QtSettingsStore::QtSettingsStore(Access access)
    : QtSettingsStore(programFolderPath("Sonavel.conf"), access) {
    if (filePath_.isEmpty()) {
        noFolderNotice_ = noFolderReason();
    }
}

QtSettingsStore::QtSettingsStore(QString filePath, Access access)
    : filePath_(std::move(filePath)), access_(access) {
    if (filePath_.isEmpty()) {
        return;
    }
    const std::string file = nativePath(filePath_);
    if (access_ == Access::readWrite) {
        if (const SettingsWriteLock lock(file, longestWait, {}); lock.taken()) {
            removeLeftoversOfKilledWrites(file);
        }
    }
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size <= largestSettingsFile) {
        return;
    }
    damagedFileInPlace_ = true;
    if (access_ == Access::readOnly) {
        damageNotice_ = file + " is larger than 64 KiB, which the window takes as damaged";
        return;
    }
    const auto moved = movedAside(file);
    if (const auto* name = std::get_if<std::string>(&moved)) {
        damageNotice_ =
            file + " was larger than 64 KiB, so it was taken as damaged and moved to " + *name;
        damagedFileInPlace_ = false;
    } else {
        damageNotice_ = withReason(file + " is larger than 64 KiB, so it was taken as damaged, " +
                                       "but it could not be moved aside",
                                   std::get<int>(moved));
    }
}

std::string QtSettingsStore::readSetting(const std::string& application, const std::string& section,
                                         const std::string& key, const std::string& fallback) {
    if (filePath_.isEmpty() || damagedFileInPlace_ || notRegularReason(nativePath(filePath_))) {
        return fallback;
    }
    QSettings settings(filePath_, QSettings::IniFormat);
    settings.beginGroup(groupFor(application, section));
    return lookUp(settings, folded(toQString(key))).value_or(fallback);
}

Result QtSettingsStore::writeSetting(const std::string& application, const std::string& section,
                                     const std::string& key, const std::string& value) {
    const QString group = groupFor(application, section);
    const QString name = folded(toQString(key));
    if (name.isEmpty()) {
        return Result::failure("A setting without a name cannot be saved.");
    }
    if (access_ == Access::readOnly) {
        return Result::failure("The settings are only read here, never written.");
    }
    if (filePath_.isEmpty()) {
        return Result::failure(unsaved(noFolderReason()));
    }
    const std::string file = nativePath(filePath_);
    if (const auto notRegular = notRegularReason(file)) {
        return Result::failure(unsaved(*notRegular));
    }
    const std::uintmax_t bytes = mostBytesAfterWriting(file, key, value);
    if (const auto noRoom = noRoomReason(file, bytes)) {
        return Result::failure(*noRoom);
    }
    // Turns are taken in the folder; one that cannot be made is told after the write fails.
    std::error_code unmade;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), unmade);
    const SettingsWriteLock lock(file, longestWait, whileWaiting_);
    if (!lock.taken()) {
        return Result::failure(unsaved(lock.refusal()));
    }
    // No other run of the program writes while this one has its turn.
    const auto before = fileAt(file);
    const bool written = writeThroughQSettings(filePath_, group, name, toQString(value));
    // QSettings writes a complete new file and renames it over the old one, so a write that
    // reached the disk leaves another file at the path. Its status alone does not tell: a file
    // that was already malformed hides a failed write behind its own status.
    const auto after = fileAt(file);
    if (!written || !after || after == before) {
        return Result::failure(unwritableReason(file, bytes));
    }
    damagedFileInPlace_ = false;
    return Result::success();
}

std::string QtSettingsStore::readProblem() {
    if (!noFolderNotice_.empty()) {
        return std::exchange(noFolderNotice_, {});
    }
    if (!damageNotice_.empty()) {
        return std::exchange(damageNotice_, {});
    }
    const std::string file = nativePath(filePath_);
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? std::string{}
                                                   : withReason(file + " cannot be read", errno);
    }
    if (const auto notRegular = notRegularReason(file)) {
        return *notRegular;
    }
    const SystemFile opened{::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    return opened.isOpen() ? std::string{} : withReason(file + " cannot be read", errno);
}
