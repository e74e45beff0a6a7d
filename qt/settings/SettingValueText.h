// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "qt/Latin1Text.h"

#include <QStringList>
#include <QVariant>
#include <optional>
#include <string>

// A stored value as text whatever shape it was given by hand: several strings are joined as an
// INI file's list is (unquoted commas typed into the file make one), bytes ("@ByteArray(...)")
// are taken as they are, and a number is written out.
inline std::optional<std::string> settingValueText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QString:
        return fromQString(value.toString());
    case QMetaType::QStringList:
        return fromQString(value.toStringList().join(u','));
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toString().toStdString();
    default:
        return std::nullopt;
    }
}
