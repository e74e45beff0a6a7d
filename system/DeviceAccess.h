// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>
#include <vector>

// What to do when the user lacks the rights to open device: join the group that may read and
// write it, or, where only its owner may, that it needs a rule giving a group access; empty
// when rights are not the problem.
std::string permissionAdvice(const std::string& device);

// Why device cannot be a serial port, for the reader, after its path: "is not present", "is a
// regular file, not a device", "is a device but not a serial port"; empty when it is a
// character device of a serial or pseudo-terminal driver. Nothing is opened.
std::string whyNotASerialDevice(const std::string& device);

// USB serial adapters attached without a serial device, their driver claimed by another
// program: "QinHeng Electronics USB Serial (1a86:7523)". usbDevices: the system's list of USB
// devices.
std::vector<std::string>
adaptersWithoutSerialDevice(const std::string& usbDevices = "/sys/bus/usb/devices");
