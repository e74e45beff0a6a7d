// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

// The per-user settings where the system keeps them.
#ifdef _WIN32
#include "qt/settings/RegistrySettingsStore.h"
using SystemSettingsStore = RegistrySettingsStore;
#else
#include "qt/settings/QtSettingsStore.h"
using SystemSettingsStore = QtSettingsStore;
#endif
