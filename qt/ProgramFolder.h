// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <QString>

// A path in the program's own folder, Sonavel in the user's configuration folder, where the
// settings file and the ports folder are; empty when the user has no configuration folder,
// which userConfigFolder() explains. Found afresh at every call.
QString programFolderPath(const QString& name);
