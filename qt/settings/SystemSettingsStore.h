// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

// The per-user settings where the system keeps them; the reader is a script's, which writes,
// moves and locks nothing.
#ifdef _WIN32
#include "qt/settings/RegistrySettingsStore.h"
using SystemSettingsStore = RegistrySettingsStore;
// Reading the registry changes nothing in it.
using SystemSettingsReader = RegistrySettingsStore;
#else
#include "qt/settings/QtSettingsStore.h"
using SystemSettingsStore = QtSettingsStore;
class SystemSettingsReader : public QtSettingsStore {
public:
    SystemSettingsReader() : QtSettingsStore(Access::readOnly) {}
};
#endif
