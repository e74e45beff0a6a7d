#pragma once

// The per-user settings where the system keeps them.
#ifdef _WIN32
#include "qt/settings/RegistrySettingsStore.h"
using SystemSettingsStore = RegistrySettingsStore;
#else
#include "qt/settings/QtSettingsStore.h"
using SystemSettingsStore = QtSettingsStore;
#endif
