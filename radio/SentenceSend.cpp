// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "radio/SentenceSend.h"

Result sendSentence(SerialPort& port, const std::string& sentence) {
    if (const Result written = port.write("UR" + sentence + ";"); !written) {
        return Result::failure("The sentence could not be sent: " + written.reason());
    }
    if (const Result written = port.write("UT" + sentence + ";"); !written) {
        return Result::failure("The sentence was sent only in part (UR without UT): " +
                               written.reason());
    }
    return Result::success();
}
