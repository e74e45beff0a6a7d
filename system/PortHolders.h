// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <optional>
#include <string>
#include <vector>

// Who has a serial device, so that a busy port can be reported with its holder.
struct Holder {
    int processId = 0;
    // The program's name as the system keeps it ("rigctld"); empty where it does not say.
    std::string program;
};

// What lies where a device's lock file would be.
struct LockFileFinding {
    // The live process the lock file names; nothing when there is none, or it has ended.
    std::optional<Holder> holder;
    // What lies there that is no lock file, with its place: "/var/lock/LCK..ttyUSB0 is not a lock
    // file (a folder)"; empty when there is none.
    std::string notALockFile;
    // A lock file that this user may not read, after the device's name: "is marked as held in
    // /var/lock/LCK..ttyUSB0, a lock file that this user may not read to learn by whom
    // (Permission denied)"; empty when there is none.
    std::string unreadableLock;
};

// The device's lock file in lockFolder (LCK..ttyUSB0, the process id as ten ASCII characters and
// a newline or as other programs write it: digits and a newline first, or a binary number).
// Every user may write in lockFolder, so what is there is looked at without following a link and
// without waiting, and read only when it is a regular file of a few hundred bytes at most.
LockFileFinding readLockFile(const std::string& device,
                             const std::string& lockFolder = "/var/lock");

// The processes other than this one that have device open, as far as the system lets this
// user see: those whose open files it may look at, and those that hold a lock on the device
// (flock), which the system shows for every user's processes.
std::vector<Holder> processesHolding(const std::string& device);

// The words the process was started with, its program first; empty where the system does not
// show them.
std::vector<std::string> commandLineOf(int processId);

// Running processes with this program name ("ModemManager"), as far as the system shows.
std::vector<Holder> processesNamed(const std::string& program);
