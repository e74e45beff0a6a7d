// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "link/PortsEntry.h"
#include "qt/ProgramFolder.h"
#include "qt/serial/PortDevice.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <set>
#include <string>

// The ports folder, on every system: a file in it, "com3" ("Com 3.txt" on Windows), says what
// Com 3 opens, before what the system would number 3.

// What the file for Com number says; nullopt when there is none.
std::optional<PortsEntry> portsFileEntry(int number, const QString& portsFolder);

// The numbers that have a ports file in the folder, and what else there cannot be used, with
// why: "…/ports/com03 is no ports file: …", "Com 300 cannot be used: …", an unreadable folder.
struct PortsFiles {
    std::set<int> numbers;
    QStringList unusable;
};
PortsFiles portsFiles(const QString& portsFolder);

// The file for Com number as the user finds it, with the system's separators:
// "C:\Users\ham\AppData\Roaming\Sonavel\ports\Com 3.txt".
std::string shownPortsFile(int number,
                           const QString& portsFolder = programFolderPath(QStringLiteral("ports")));

// What the system shows of a device named by a ports file or by numbering: the device as the
// user recognises it, or why no port can open it ("is not present").
struct DeviceLook {
    QString described;
    std::string whyNot;
};

// What each of files' numbers leads to (entryFor: the entry of a number, nullopt for nothing),
// as listPorts gives it: "Com 9 is rigctld at localhost:4532", "Com 3 is COM12 (USB Serial Port,
// FTDI, A50285BI) with RTS/CTS handshake (rtscts)", "Com 5 cannot be used: /dev/null is a device
// but not a serial port"; then what else in the folder cannot be used.
PortList listedPorts(const PortsFiles& files,
                     const std::function<std::optional<PortsEntry>(int number)>& entryFor,
                     const std::function<DeviceLook(const std::string& device)>& look);
