// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/Announcer.h"

// A notification that turns up is what a screen reader speaks; one that changes its text while
// showing is not.
void Announcer::say(const QString& text) {
    setAccessibleName(text);
    hide();
    show();
}
