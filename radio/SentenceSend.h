// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/Result.h"
#include "platform/SerialPort.h"

#include <string>

// Writes the sentence to the radio as its two commands, "UR" + sentence + ";" then "UT" +
// sentence + ";", as one write where the port is shared. A failure carries the words the user
// is told, which say how far it got.
Result sendSentence(SerialPort& port, const std::string& sentence);
