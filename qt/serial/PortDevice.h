// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "link/PortsEntry.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

// What Com number opens: what the file "com<number>" in portsFolder says when there is one,
// else the number-th serial device present; nullopt when there is neither.
std::optional<PortsEntry> entryForPort(int number, const QString& portsFolder);

// The device with what the system knows of it, for the user to recognise the adapter:
// "/dev/ttyUSB0 (FT232R USB UART, FTDI, A50285BI)", or the path alone.
QString describedDevice(const QString& device);

// What each Com number leads to, in number order.
struct PortList {
    // Each number that opens a serial device present or a rigctld: "Com 1 is /dev/ttyUSB0 (...)",
    // "Com 4 is /dev/ttyUSB1 (...) with RTS/CTS handshake (rtscts)", "Com 9 is rigctld at
    // localhost:4532".
    QStringList usable;
    // What a ports file names that no port can open, and why: "Com 5 cannot be used: /dev/null
    // is a device but not a serial port".
    QStringList unusable;
    // The rigctlds among usable, by their place there and their Com number, for whoever asks
    // whether they answer.
    struct Rigctld {
        qsizetype place;
        int number;
        RigctldEntry entry;
    };
    std::vector<Rigctld> rigctlds;
};
PortList listPorts(const QString& portsFolder);

// What to check when no number leads to a port: "No number leads to a serial device that is
// present: check that the adapter is plugged in, ...".
std::string noPortAdvice();

// What the user can choose instead of a number that leads to no device: "Com 1 is
// /dev/ttyUSB0 (...), Com 3 is /dev/ttyS0", or noPortAdvice when no number leads anywhere.
std::string portChoices(const QString& portsFolder);
