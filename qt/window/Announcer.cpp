// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/Announcer.h"

#include "qt/window/AccessibleRoles.h"

#include <QTimer>

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    installAccessibleRoles();
    setObjectName(QStringLiteral("Announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    hide();
}

void Announcer::announce(const QString& message) {
    waiting_ << message;
    if (waiting_.size() == 1) {
        QTimer::singleShot(0, this, [this] {
            say(waiting_.join(' '));
            waiting_.clear();
        });
    }
}
