// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

class QWidget;

// Names every control of the window for assistive technology by what it is, never by its
// value, and keeps the names that follow the window's state (lamps, edit cells) up to date.
// Captions and tool tips stay as they are; a tool tip is the control's description.
void nameControls(QWidget* window);
