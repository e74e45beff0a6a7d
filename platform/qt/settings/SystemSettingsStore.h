#pragma once

// The per-user settings where the system keeps them.
#ifdef _WIN32
#include "platform/qt/settings/RegistrySettingsStore.h"
using SystemSettingsStore = RegistrySettingsStore;
#else
#include "platform/qt/settings/QtSettingsStore.h"
using SystemSettingsStore = QtSettingsStore;
#endif
