// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/serial/PortDevice.h"
#include "radio/PortLabel.h"

#include <QSerialPortInfo>
#include <QStringList>
#include <map>
#include <windows.h>

namespace {
constexpr int highestComNumber = 255;

// "COM7" is 7; anything else Windows lists (an LPT port, a modem's own name) is 0.
int comNumber(const QString& name) {
    if (!name.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive)) {
        return 0;
    }
    bool isNumber = false;
    const int number = name.mid(3).toInt(&isNumber);
    return isNumber && number >= 1 && number <= highestComNumber ? number : 0;
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

// Whether Windows knows the name COMN: Device Manager gives an adapter its number, and a
// port that exists but is not in the list of serial devices (a driver's own, or one mapped by
// hand) is still a name that opens.
bool nameExists(int number) {
    wchar_t target[MAX_PATH];
    const std::wstring name = L"COM" + std::to_wstring(number);
    return QueryDosDeviceW(name.c_str(), target, MAX_PATH) != 0;
}
} // namespace

// Windows names the ports itself, so the number is the port's own name and there is no ports
// folder to look in.
std::optional<PortsEntry> entryForPort(int number, const QString&) {
    if (!nameExists(number)) {
        return std::nullopt;
    }
    return SerialDeviceEntry{"COM" + std::to_string(number)};
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

QStringList portsWithDevices(const QString&) {
    std::map<int, QString> ports;
    const QList<QSerialPortInfo> present = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : present) {
        if (const int number = comNumber(info.portName())) {
            ports.emplace(number, QString::fromStdString(portLabel(number)) +
                                      QStringLiteral(" is ") + described(info));
        }
    }
    QStringList listed;
    for (const auto& [number, port] : ports) {
        listed << port;
    }
    return listed;
}

// Windows lists only ports that exist, so none is listed that cannot be used.
PortList listPorts(const QString& portsFolder) {
    return {portsWithDevices(portsFolder), {}};
}

std::string portChoices(const QString& portsFolder) {
    const QStringList ports = portsWithDevices(portsFolder);
    if (!ports.isEmpty()) {
        return ports.join(QStringLiteral(", ")).toStdString();
    }
    return "Windows lists no COM port: check that the adapter is plugged in, and that Device "
           "Manager shows it under Ports (COM & LPT); an adapter without its driver is listed "
           "under Other devices";
}
