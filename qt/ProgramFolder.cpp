// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/ProgramFolder.h"

#include "system/ConfigFolder.h"

#include <QFile>

QString programFolderPath(const QString& name) {
    const ConfigFolder config = userConfigFolder();
    if (config.path.empty()) {
        return {};
    }
    return QFile::decodeName(config.path.c_str()) + QStringLiteral("/Sonavel/") + name;
}
