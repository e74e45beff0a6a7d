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
#else
const QString namedBefore = QStringLiteral("com");
const QString namedAfter;
#endif

QString portsFile(int number, const QString& portsFolder) {
    return QDir::toNativeSeparators(portsFolder + u'/' + namedBefore + QString::number(number) +
                                    namedAfter);
}
} // namespace

std::optional<PortsEntry> portsFileEntry(int number, const QString& portsFolder) {
    return readPortsEntry(QFileInfo(portsFile(number, portsFolder)).filesystemFilePath());
}

std::set<int> portsFileNumbers(const QString& portsFolder) {
    std::set<int> numbers;
    const QStringList files = QDir(portsFolder)
                                  .entryList({namedBefore + u'*' + namedAfter},
                                             QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    for (const QString& file : files) {
        bool isNumber = false;
        const int number =
            file.mid(namedBefore.size(), file.size() - namedBefore.size() - namedAfter.size())
                .toInt(&isNumber);
        if (isNumber && number > 0) {
            numbers.insert(number);
        }
    }
    return numbers;
}

std::string shownPortsFile(int number, const QString& portsFolder) {
    return portsFile(number, portsFolder).toStdString();
}

std::optional<QString>
listedPort(int number, const std::optional<PortsEntry>& entry,
           const std::function<QString(const std::string& device)>& presentDevice) {
    const QString label = QString::fromStdString(portLabel(number)) + QStringLiteral(" is ");
    if (const auto* rigctld = entry ? std::get_if<RigctldEntry>(&*entry) : nullptr) {
        return label + QStringLiteral("rigctld at ") + QString::fromStdString(rigctld->address());
    }
    const auto* serial = entry ? std::get_if<SerialDeviceEntry>(&*entry) : nullptr;
    const QString device = serial ? presentDevice(serial->device) : QString{};
    if (device.isEmpty()) {
        return std::nullopt;
    }
    return label + device;
}
