// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/serial/PortsFolder.h"

#include "radio/PortLabel.h"

#include <QDir>
#include <QFileInfo>

namespace {
// Windows takes "com1" to "com9", with any extension, for its own ports wherever they stand in
// a path, so that no such file can be made or read there; the file is named as the port
// selector names the number instead, as a text file that Notepad opens.
#ifdef Q_OS_WIN
const QString namedBefore = QStringLiteral("Com ");
const QString namedAfter = QStringLiteral(".txt");
const QString namedHow =
    QStringLiteral("Com, a space, a number from %1 to %2 and .txt, as Com 3.txt");
// Windows finds "com 3.TXT" as "Com 3.txt".
constexpr Qt::CaseSensitivity namedCase = Qt::CaseInsensitive;
constexpr QDir::Filters namesCase = QDir::NoFilter;
#else
const QString namedBefore = QStringLiteral("com");
const QString namedAfter;
const QString namedHow = QStringLiteral("com and a number from %1 to %2, as com3");
constexpr Qt::CaseSensitivity namedCase = Qt::CaseSensitive;
constexpr QDir::Filters namesCase = QDir::CaseSensitive;
#endif

QString portsFile(int number, const QString& portsFolder) {
    return QDir::toNativeSeparators(portsFolder + u'/' + namedBefore + QString::number(number) +
                                    namedAfter);
}

// The Com number a ports file is for: "com3" is 3. Any other name ("com03", "COM3", "com3.bak")
// is for no number, since Com 3 opens "com3" alone.
std::optional<int> portsFileNumber(const QString& name) {
    if (!name.startsWith(namedBefore, namedCase) || !name.endsWith(namedAfter, namedCase)) {
        return std::nullopt;
    }
    const QString digits =
        name.mid(namedBefore.size(), name.size() - namedBefore.size() - namedAfter.size());
    bool isNumber = false;
    const int number = digits.toInt(&isNumber);
    if (!isNumber || QString::number(number) != digits) {
        return std::nullopt;
    }
    return number;
}

} // namespace

std::optional<PortsEntry> portsFileEntry(int number, const QString& portsFolder) {
    return readPortsEntry(QFileInfo(portsFile(number, portsFolder)).filesystemFilePath());
}

PortsFiles portsFiles(const QString& portsFolder) {
    PortsFiles files;
    if (const QFileInfo folder(portsFolder); folder.isDir() && !folder.isReadable()) {
        files.unusable << QDir::toNativeSeparators(portsFolder) +
                              QStringLiteral(" cannot be read, so no ports file in it is");
    }
    const QFileInfoList found = QDir(portsFolder)
                                    .entryInfoList({QStringLiteral("com*")},
                                                   QDir::AllEntries | QDir::System | QDir::Hidden |
                                                       QDir::NoDotAndDotDot | namesCase,
                                                   QDir::Name);
    for (const QFileInfo& file : found) {
        const QString shown = QDir::toNativeSeparators(file.filePath());
        const std::optional<int> number = portsFileNumber(file.fileName());
        if (!number) {
            files.unusable << shown + QStringLiteral(" is no ports file: their names are ") +
                                  namedHow.arg(lowestPortNumber).arg(highestPortNumber);
        } else if (*number < lowestPortNumber || *number > highestPortNumber) {
            files.unusable << QString::fromStdString(portLabel(*number)) +
                                  QStringLiteral(
                                      " cannot be used: port numbers go from %1 to %2 (%3)")
                                      .arg(lowestPortNumber)
                                      .arg(highestPortNumber)
                                      .arg(shown);
        } else {
            files.numbers.insert(*number);
        }
    }
    return files;
}

std::string shownPortsFile(int number, const QString& portsFolder) {
    return portsFile(number, portsFolder).toStdString();
}

namespace {
void listPort(PortList& list, int number, const std::optional<PortsEntry>& entry,
              const std::function<DeviceLook(const std::string& device)>& look) {
    if (!entry) {
        return;
    }
    const QString label = QString::fromStdString(portLabel(number));
    if (const auto* rigctld = std::get_if<RigctldEntry>(&*entry)) {
        list.rigctlds.push_back({list.usable.size(), number, *rigctld});
        list.usable << label + QStringLiteral(" is rigctld at ") +
                           QString::fromStdString(rigctld->address());
    } else if (const auto* problem = std::get_if<PortsEntryProblem>(&*entry)) {
        list.unusable << label + QStringLiteral(" cannot be used: ") +
                             QString::fromStdString(problem->report);
    } else if (const auto* serial = std::get_if<SerialDeviceEntry>(&*entry)) {
        const DeviceLook device = look(serial->device);
        if (!device.whyNot.empty()) {
            list.unusable << label + QStringLiteral(" cannot be used: ") +
                                 QString::fromStdString(serial->device + ' ' + device.whyNot);
        } else {
            list.usable << label + QStringLiteral(" is ") + device.described +
                               (serial->handshake
                                    ? QStringLiteral(" with RTS/CTS handshake (rtscts)")
                                    : QString());
        }
    }
}
} // namespace

PortList listedPorts(const PortsFiles& files,
                     const std::function<std::optional<PortsEntry>(int number)>& entryFor,
                     const std::function<DeviceLook(const std::string& device)>& look) {
    PortList list;
    for (const int number : files.numbers) {
        listPort(list, number, entryFor(number), look);
    }
    // What no number can lead to is told after the numbers, in number order.
    list.unusable << files.unusable;
    return list;
}
