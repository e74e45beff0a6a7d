// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/SerialDeviceOrder.h"
#include "qt/serial/PortDevice.h"
#include "qt/serial/PortsFolder.h"
#include "radio/PortLabel.h"
#include "system/DeviceAccess.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>
#include <algorithm>

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
    PortsFiles files = portsFiles(portsFolder);
    const int lastNumbered = std::min(static_cast<int>(numberedDevices.size()), highestPortNumber);
    for (int number = lowestPortNumber; number <= lastNumbered; ++number) {
        files.numbers.insert(number);
    }
    const auto look = [&present](const std::string& device) {
        if (std::string why = whyNotASerialDevice(device); !why.empty()) {
            return DeviceLook{{}, std::move(why)};
        }
        return DeviceLook{
            described(QFileInfo(QString::fromStdString(device)).canonicalFilePath(), present), {}};
    };
    return listedPorts(
        files, [&](int number) { return entryFor(number, portsFolder, numberedDevices); }, look);
}

std::string noPortAdvice() {
    std::string advice = "No number leads to a serial device that is present: check that the "
                         "adapter is plugged in, and its cable";
    for (const std::string& adapter : adaptersWithoutSerialDevice()) {
        advice += ". The USB serial adapter " + adapter +
                  " is plugged in but has no serial device: another program has taken it, "
                  "usually brltty, the braille display driver. If you use no braille "
                  "display, remove it (sudo apt remove brltty), then unplug the adapter and "
                  "plug it in again";
    }
    return advice;
}

std::string portChoices(const QString& portsFolder) {
    const QStringList ports = listPorts(portsFolder).usable;
    return ports.isEmpty() ? noPortAdvice() : ports.join(QStringLiteral(", ")).toStdString();
}
