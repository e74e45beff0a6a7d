// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/Announcer.h"

#include "qt/window/AccessibleRoles.h"

#include <QEvent>
#include <QTimer>

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    installAccessibleRoles();
    setObjectName(QStringLiteral("Announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    hide();
    window()->installEventFilter(this);
}

void Announcer::announce(const QString& message) {
    waiting_ << message;
    if (waiting_.size() == 1) {
        QTimer::singleShot(0, this, [this] { sayWaiting(); });
    }
}

bool Announcer::eventFilter(QObject* watched, QEvent* event) {
    // After the activation has run its course, so that the window and its focus are told first.
    if (event->type() == QEvent::WindowActivate && !waiting_.isEmpty()) {
        QTimer::singleShot(0, this, [this] { sayWaiting(); });
    }
    return QWidget::eventFilter(watched, event);
}

void Announcer::sayWaiting() {
    if (waiting_.isEmpty() || !window()->isActiveWindow()) {
        return;
    }
    say(waiting_.join(' '));
    waiting_.clear();
}
