// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "radio/SentenceSend.h"

Result sendSentence(SerialPort& port, const std::string& sentence) {
    const std::string ur = "UR" + sentence + ";";
    const std::string ut = "UT" + sentence + ";";
    // Through a shared link the pair goes as one write, which rigctld passes on whole, so that
    // no other program's command lands between UR and UT.
    if (const Result written = port.write(port.isShared() ? ur + ut : ur); !written) {
        return Result::failure("The sentence could not be sent: " + written.reason());
    }
    if (port.isShared()) {
        return Result::success();
    }
    if (const Result written = port.write(ut); !written) {
        return Result::failure("The sentence was sent only in part (UR without UT): " +
                               written.reason());
    }
    return Result::success();
}
