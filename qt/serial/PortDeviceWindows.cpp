// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/serial/PortDevice.h"
#include "qt/serial/PortsFolder.h"
#include "radio/PortLabel.h"

#include <QSerialPortInfo>
#include <QStringList>
#include <algorithm>
#include <map>
#include <windows.h>

namespace {
// "COM7" is 7; anything else Windows lists (an LPT port, a modem's own name) is 0.
int comNumber(const QString& name) {
    const int number = comPortNumber(name.toStdString());
    return number >= lowestPortNumber && number <= highestPortNumber ? number : 0;
}

QString described(const QSerialPortInfo& info) {
    QStringList known;
    for (const QString& part : {info.description(), info.manufacturer(), info.serialNumber()}) {
        if (!part.isEmpty()) {
            known << part;
        }
    }
    return known.isEmpty()
               ? info.portName()
               : info.portName() + QStringLiteral(" (") + known.join(QStringLiteral(", ")) + u')';
}

std::string comName(int number) {
    return "COM" + std::to_string(number);
}

// Whether Windows knows the name COMN: Device Manager gives an adapter its number, and a
// port that exists but is not in the list of serial devices (a driver's own, or one mapped by
// hand) is still a name that opens.
bool nameExists(int number) {
    wchar_t target[MAX_PATH];
    const std::wstring name = L"COM" + std::to_wstring(number);
    return QueryDosDeviceW(name.c_str(), target, MAX_PATH) != 0;
}

// The COM ports Windows lists, by number.
std::map<int, QSerialPortInfo> presentPorts() {
    std::map<int, QSerialPortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (const int number = comNumber(info.portName())) {
            ports.emplace(number, info);
        }
    }
    return ports;
}

// How to reach a port above the selector's numbers from the window, when one is present that
// no ports file leads to yet: through the lowest number that leads nowhere.
std::string beyondSelector(const std::map<int, QSerialPortInfo>& present,
                           const QString& portsFolder) {
    const std::set<int> files = portsFiles(portsFolder).numbers;
    std::set<std::string> reached;
    for (const int number : files) {
        const std::optional<PortsEntry> entry = portsFileEntry(number, portsFolder);
        if (const auto* serial = entry ? std::get_if<SerialDeviceEntry>(&*entry) : nullptr) {
            reached.insert(serial->device);
        }
    }
    const auto unreached = std::find_if(
        present.upper_bound(highestSelectorNumber), present.end(),
        [&reached](const auto& port) { return !reached.contains(comName(port.first)); });
    for (int number = 1; unreached != present.end() && number <= highestSelectorNumber; ++number) {
        if (!present.contains(number) && !files.contains(number)) {
            const std::string port = comName(unreached->first);
            return ". The port selector offers Com 1 to Com " +
                   std::to_string(highestSelectorNumber) + ": to reach " + port +
                   " from it, write " + port + " into the file " +
                   shownPortsFile(number, portsFolder) + " and choose " + portLabel(number);
        }
    }
    return {};
}
} // namespace

// The ports folder decides first; otherwise the number is the port's own: Com N is COMN.
std::optional<PortsEntry> entryForPort(int number, const QString& portsFolder) {
    if (auto entry = portsFileEntry(number, portsFolder)) {
        return entry;
    }
    if (!nameExists(number)) {
        return std::nullopt;
    }
    return SerialDeviceEntry{comName(number)};
}

QString describedDevice(const QString& device) {
    const QList<QSerialPortInfo> present = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : present) {
        if (info.portName().compare(device, Qt::CaseInsensitive) == 0) {
            return described(info);
        }
    }
    return device;
}

PortList listPorts(const QString& portsFolder) {
    const std::map<int, QSerialPortInfo> present = presentPorts();
    PortsFiles files = portsFiles(portsFolder);
    for (const auto& [number, info] : present) {
        files.numbers.insert(number);
    }
    // A port that Windows does not list may still be there under its name.
    const auto look = [&present](const std::string& device) {
        const int number = comNumber(QString::fromStdString(device));
        if (const auto port = present.find(number); port != present.end()) {
            return DeviceLook{described(port->second), {}};
        }
        if (number != 0 && nameExists(number)) {
            return DeviceLook{QString::fromStdString(device), {}};
        }
        return DeviceLook{{}, "is not present: Windows lists no such port"};
    };
    return listedPorts(
        files, [&](int number) { return entryForPort(number, portsFolder); }, look);
}

std::string noPortAdvice() {
    return "Windows lists no COM port: check that the adapter is plugged in, and that Device "
           "Manager shows it under Ports (COM & LPT); an adapter without its driver is listed "
           "under Other devices";
}

std::string portChoices(const QString& portsFolder) {
    const std::map<int, QSerialPortInfo> present = presentPorts();
    const QStringList ports = listPorts(portsFolder).usable;
    return ports.isEmpty() ? noPortAdvice()
                           : ports.join(QStringLiteral(", ")).toStdString() +
                                 beyondSelector(present, portsFolder);
}
