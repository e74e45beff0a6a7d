// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

// Who reads a report: the window's user, who acts through its buttons, or a station script,
// whose author acts through the command line. A report that says what to do next says it in
// the reader's terms.
enum class Audience { window, script };
