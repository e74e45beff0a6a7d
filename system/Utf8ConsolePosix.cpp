// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/Utf8Console.h"

Utf8Console::Utf8Console() = default;

Utf8Console::~Utf8Console() = default;
