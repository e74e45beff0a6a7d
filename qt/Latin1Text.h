// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <QByteArrayView>
#include <QString>
#include <string>

// The program's text is 8-bit, one byte per character; Qt's is Unicode. Latin-1 maps each
// byte to the character of the same code and back. A typed character beyond Latin-1 becomes
// the substitute control character, never a printable one, so that it cannot pass for a digit.
inline QString toQString(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string fromQString(const QString& text) {
    constexpr char substitute = 0x1A;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        bytes += c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : substitute;
    }
    return bytes;
}

// Text that the window only shows, never sends nor saves (the notices, what the selectors show),
// is UTF-8, as file names and the system's words come to the program; a value from the settings
// that is not UTF-8 was stored byte for byte and is shown so.
inline QString toShownQString(const std::string& text) {
    return QByteArrayView(text.data(), static_cast<qsizetype>(text.size())).isValidUtf8()
               ? QString::fromStdString(text)
               : toQString(text);
}
