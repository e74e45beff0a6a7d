// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

// Gives assistive technology the roles that Qt's own accessible interfaces do not: the
// announcer is a notification, a lamp is a status text, a combo box that has an accessible name
// goes by that name rather than by its current text, and a read-only box wrapped at its width is
// read by the lines as written. Safe to call again.
void installAccessibleRoles();
