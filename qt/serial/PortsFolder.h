// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "link/PortsEntry.h"
#include "qt/ProgramFolder.h"

#include <QString>
#include <functional>
#include <optional>
#include <set>
#include <string>

// The ports folder, on every system: a file in it, "com3" ("Com 3.txt" on Windows), says what
// Com 3 opens, before what the system would number 3.

// What the file for Com number says; nullopt when there is none.
std::optional<PortsEntry> portsFileEntry(int number, const QString& portsFolder);

// The numbers that have a file in the folder.
std::set<int> portsFileNumbers(const QString& portsFolder);

// The file for Com number as the user finds it, with the system's separators:
// "C:\Users\ham\AppData\Roaming\Sonavel\ports\Com 3.txt".
std::string shownPortsFile(int number,
                           const QString& portsFolder = programFolderPath(QStringLiteral("ports")));

// What Com number leads to, as a choice in a list: "Com 9 is rigctld at localhost:4532", "Com 3
// is COM12 (USB Serial Port, FTDI, A50285BI)"; nothing when it leads to no device present.
// presentDevice: the device with what the system knows of it, or empty when it is not present.
std::optional<QString>
listedPort(int number, const std::optional<PortsEntry>& entry,
           const std::function<QString(const std::string& device)>& presentDevice);
