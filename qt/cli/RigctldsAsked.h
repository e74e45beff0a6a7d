// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "qt/serial/PortDevice.h"

// Asks each rigctld among the ports whether it answers, as Connect asks it and all at once, so
// that the list is ready within one open's deadline however many there are. One that answers is
// listed with the radio it serves; one that does not moves to what cannot be used, with why.
void askRigctlds(PortList& ports);
