// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/Announcer.h"

#include <QAccessible>

// Qt's UI Automation bridge raises nothing for a notification that shows itself; a change of
// value that carries text it raises as a UI Automation notification, which screen readers speak
// wherever the focus is.
void Announcer::say(const QString& text) {
    setAccessibleName(text);
    QAccessibleValueChangeEvent changed(this, text);
    QAccessible::updateAccessibility(&changed);
}
