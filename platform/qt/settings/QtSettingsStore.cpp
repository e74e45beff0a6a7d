#include "platform/qt/settings/QtSettingsStore.h"

#include "platform/qt/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <optional>
#include <utility>

namespace {
const std::string ownApplication = "Sonavel";

// QSettings finds its default file once per process; a path of our own follows the user's
// configuration folder as it is when the store is made.
QString defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Sonavel/Sonavel.conf");
}

QString groupFor(const std::string& application, const std::string& section) {
    return toQString(application == ownApplication ? section : application + "/" + section);
}

// Only ASCII letters fold, as they always have for these keys; a Latin-1 letter stays itself.
QString folded(const QString& key) {
    QString lower = key;
    for (QChar& c : lower) {
        if (c >= u'A' && c <= u'Z') {
            c = QChar(c.unicode() + (u'a' - u'A'));
        }
    }
    return lower;
}

// A value comes back as text whatever shape QSettings gives it: unquoted commas typed into
// the file by hand make a list, and "@ByteArray(...)" makes bytes.
std::optional<std::string> asText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QString:
        return fromQString(value.toString());
    case QMetaType::QStringList:
        return fromQString(value.toStringList().join(u','));
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    default:
        return std::nullopt;
    }
}

// The key as written by this store wins; among keys typed by hand in other cases the first in
// QSettings' sorted order does, so that a file reads the same every time.
std::optional<std::string> lookUp(QSettings& settings, const QString& key) {
    if (settings.contains(key)) {
        return asText(settings.value(key));
    }
    const QStringList keys = settings.childKeys();
    for (const QString& candidate : keys) {
        if (folded(candidate) == key) {
            return asText(settings.value(candidate));
        }
    }
    return std::nullopt;
}

// QSettings keeps in memory what it last wrote to a path and answers from that while the file
// looks unchanged, so only a copy under a path never used before is read from the disk.
std::optional<std::string> readFromDisk(const QString& file, const QString& group,
                                        const QString& key) {
    const QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("Sonavel.conf"));
    if (!scratch.isValid() || !QFile::copy(file, copy)) {
        return std::nullopt;
    }
    QSettings settings(copy, QSettings::IniFormat);
    settings.beginGroup(group);
    return lookUp(settings, key);
}

std::string unwritableReason(const QString& file) {
    const QFileInfo info(file);
    const QString folder = info.absolutePath();
    const QFileInfo folderInfo(folder);
    QString why;
    if (folderInfo.exists() && !folderInfo.isDir()) {
        why = QStringLiteral("%1 is a file, where the settings folder should be").arg(folder);
    } else if (info.isDir()) {
        why = QStringLiteral("%1 is a folder, where the settings file should be").arg(file);
    } else if (!QDir().mkpath(folder)) {
        why = QStringLiteral("the folder %1 cannot be made").arg(folder);
    } else if (QTemporaryFile probe(folder + QStringLiteral("/probe-XXXXXX")); !probe.open()) {
        why = QStringLiteral("nothing can be written in %1 (%2)").arg(folder, probe.errorString());
    } else {
        why = QStringLiteral("%1 cannot be written; the disk may be full").arg(file);
    }
    return "The setting could not be saved: " + fromQString(why) + ".";
}
} // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(defaultFilePath()) {}

QtSettingsStore::QtSettingsStore(QString filePath) : filePath_(std::move(filePath)) {}

std::string QtSettingsStore::readSetting(const std::string& application, const std::string& section,
                                         const std::string& key, const std::string& fallback) {
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
    {
        QSettings settings(filePath_, QSettings::IniFormat);
        settings.beginGroup(group);
        // One entry per key, so that what is read later is what was written now.
        const QStringList keys = settings.childKeys();
        for (const QString& other : keys) {
            if (other != name && folded(other) == name) {
                settings.remove(other);
            }
        }
        settings.setValue(name, toQString(value));
        settings.sync();
        if (settings.status() == QSettings::AccessError) {
            return Result::failure(unwritableReason(filePath_));
        }
    }
    // A file that was already malformed hides a failed write behind its own status, so only
    // what the disk gives back counts.
    if (readFromDisk(filePath_, group, name) != value) {
        return Result::failure(unwritableReason(filePath_));
    }
    return Result::success();
}
