// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/QtMessageBox.h"

#include "qt/Latin1Text.h"

#include <QMessageBox>

void QtMessageBox::showWarning(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Warning, toQString(caption), toQString(text), QMessageBox::Ok);
    box.exec();
}
