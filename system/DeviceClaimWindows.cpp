// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/DeviceClaim.h"

// Windows opens a COM port for one program only, so the port's own open is the claim.
DeviceClaim::~DeviceClaim() = default;

DeviceClaim::State DeviceClaim::take(const std::string&) {
    return State::claimed;
}

void DeviceClaim::excludeOthers() {}

void DeviceClaim::release() {}
