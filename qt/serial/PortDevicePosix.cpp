// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/SerialDeviceOrder.h"
#include "qt/serial/PortDevice.h"
#include "qt/serial/PortsFolder.h"
#include "radio/PortLabel.h"
#include "system/DeviceAccess.h"
#include "system/SystemFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>
#include <algorithm>
#include <set>

namespace {
QString described(const QString& device, const QList<QSerialPortInfo>& present) {
    for (const QSerialPortInfo& info : present) {
        if (info.systemLocation() != device && info.portName() != device) {
            continue;
        }
        QStringList known;
        for (const QString& part : {info.description(), info.manufacturer(), info.serialNumber()}) {
            if (!part.isEmpty()) {
                known << part;
            }
        }
        if (!known.isEmpty()) {
            return device + QStringLiteral(" (") + known.join(QStringLiteral(", ")) + ')';
        }
    }
    return device;
}

std::vector<std::string> numbered(const QList<QSerialPortInfo>& present) {
    std::vector<std::string> locations;
    for (const QSerialPortInfo& info : present) {
        locations.push_back(info.systemLocation().toStdString());
    }
    return numberedSerialDevices(std::move(locations));
}

// The Com number a ports file is for: "com3" is 3. Any other name ("com03", "COM3", "com3.bak")
// is for no number, since Com 3 opens "com3" alone.
std::optional<int> portsFileNumber(const QString& name) {
    const QString digits = name.mid(3);
    bool isNumber = false;
    const int number = digits.toInt(&isNumber);
    if (!name.startsWith(QStringLiteral("com")) || !isNumber || QString::number(number) != digits) {
        return std::nullopt;
    }
    return number;
}

// Why a regular ports file cannot be read, in the system's words; empty when it can.
std::string unreadable(const QString& file) {
    const QFileInfo info(file);
    if (!info.isFile() || info.isSymLink()) {
        return {};
    }
    SystemFile opened;
    const SystemError error = opened.openForReading(file.toStdString());
    return error == 0 ? std::string{} : systemReason(error);
}

std::optional<PortsEntry> entryFor(int number, const QString& portsFolder,
                                   const std::vector<std::string>& numberedDevices) {
    if (auto entry = portsFileEntry(number, portsFolder)) {
        return entry;
    }
    if (number < 1 || static_cast<std::size_t>(number) > numberedDevices.size()) {
        return std::nullopt;
    }
    return SerialDeviceEntry{numberedDevices[static_cast<std::size_t>(number) - 1]};
}
} // namespace

QString describedDevice(const QString& device) {
    return described(device, QSerialPortInfo::availablePorts());
}

std::optional<PortsEntry> entryForPort(int number, const QString& portsFolder) {
    return entryFor(number, portsFolder, numbered(QSerialPortInfo::availablePorts()));
}

PortList listPorts(const QString& portsFolder) {
    const QList<QSerialPortInfo> present = QSerialPortInfo::availablePorts();
    const std::vector<std::string> numberedDevices = numbered(present);
    PortList list;
    std::set<int> numbers;
    const int lastNumbered = std::min(static_cast<int>(numberedDevices.size()), highestPortNumber);
    for (int number = lowestPortNumber; number <= lastNumbered; ++number) {
        numbers.insert(number);
    }
    // Told after the numbers that have a ports file, in number order.
    QStringList namedWrongly;
    if (const QFileInfo folder(portsFolder); folder.isDir() && !folder.isReadable()) {
        namedWrongly << portsFolder + QStringLiteral(" cannot be read, so no ports file in it is");
    }
    const QFileInfoList files = QDir(portsFolder)
                                    .entryInfoList({QStringLiteral("com*")},
                                                   QDir::AllEntries | QDir::System | QDir::Hidden |
                                                       QDir::NoDotAndDotDot | QDir::CaseSensitive,
                                                   QDir::Name);
    for (const QFileInfo& file : files) {
        const std::optional<int> number = portsFileNumber(file.fileName());
        if (!number) {
            namedWrongly << file.filePath() +
                                QStringLiteral(" is no ports file: their names are com and a "
                                               "number from %1 to %2, as com3")
                                    .arg(lowestPortNumber)
                                    .arg(highestPortNumber);
        } else if (*number < lowestPortNumber || *number > highestPortNumber) {
            namedWrongly << QString::fromStdString(portLabel(*number)) +
                                QStringLiteral(
                                    " cannot be used: port numbers go from %1 to %2 (%3)")
                                    .arg(lowestPortNumber)
                                    .arg(highestPortNumber)
                                    .arg(file.filePath());
        } else {
            numbers.insert(*number);
        }
    }
    for (const int number : numbers) {
        const std::optional<PortsEntry> entry = entryFor(number, portsFolder, numberedDevices);
        const QString label = QString::fromStdString(portLabel(number));
        if (const auto* rigctld = entry ? std::get_if<RigctldEntry>(&*entry) : nullptr) {
            list.rigctlds.push_back({list.usable.size(), number, *rigctld});
            list.usable << label + QStringLiteral(" is rigctld at ") +
                               QString::fromStdString(rigctld->address());
        } else if (const auto* problem =
                       entry ? std::get_if<PortsEntryProblem>(&*entry) : nullptr) {
            const QString file = portsFolder + QStringLiteral("/com%1").arg(number);
            const std::string unread = unreadable(file);
            list.unusable << label + QStringLiteral(" cannot be used: ") +
                                 (unread.empty() ? QString::fromStdString(problem->report)
                                                 : file + QStringLiteral(" cannot be read: ") +
                                                       QString::fromStdString(unread));
        } else if (const auto* serial = entry ? std::get_if<SerialDeviceEntry>(&*entry) : nullptr) {
            const QString device = QString::fromStdString(serial->device);
            if (const std::string why = whyNotASerialDevice(serial->device); !why.empty()) {
                list.unusable << label + QStringLiteral(" cannot be used: ") + device + ' ' +
                                     QString::fromStdString(why);
            } else {
                list.usable << label + QStringLiteral(" is ") +
                                   described(QFileInfo(device).canonicalFilePath(), present) +
                                   (serial->handshake
                                        ? QStringLiteral(" with RTS/CTS handshake (rtscts)")
                                        : QString());
            }
        }
    }
    list.unusable << namedWrongly;
    return list;
}

QStringList portsWithDevices(const QString& portsFolder) {
    return listPorts(portsFolder).usable;
}

std::string portChoices(const QString& portsFolder) {
    const QStringList ports = portsWithDevices(portsFolder);
    if (!ports.isEmpty()) {
        return ports.join(QStringLiteral(", ")).toStdString();
    }
    std::string choices = "No number leads to a serial device that is present: check that the "
                          "adapter is plugged in, and its cable";
    for (const std::string& adapter : adaptersWithoutSerialDevice()) {
        choices += ". The USB serial adapter " + adapter +
                   " is plugged in but has no serial device: another program has taken it, "
                   "usually brltty, the braille display driver. If you use no braille "
                   "display, remove it (sudo apt remove brltty), then unplug the adapter and "
                   "plug it in again";
    }
    return choices;
}
