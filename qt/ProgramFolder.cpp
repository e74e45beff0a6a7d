// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/ProgramFolder.h"

#include "system/ConfigFolder.h"

#include <QString>

QString programFolderPath(const QString& name) {
    const ConfigFolder config = userConfigFolder();
    if (config.path.empty()) {
        return {};
    }
    return QString::fromStdString(config.path) + QStringLiteral("/Sonavel/") + name;
}
