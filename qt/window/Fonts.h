// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <QFont>

// The window's three typefaces, each with the installed families that come nearest where the
// named one is missing.
namespace fonts {
QFont sansSerif(double points, bool bold = false);
QFont courierNew(double points);
QFont arial(double points);
} // namespace fonts
