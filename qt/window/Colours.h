// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/Colour.h"

#include <QColor>
#include <QPalette>

// A model colour as Qt draws it: a fixed colour as it stands, a desktop's colour as the palette
// role that plays the same part on this desktop.
QColor toQColor(Colour colour, const QPalette& palette);

// Text that reads on a ground whatever the theme: on a desktop's colour the text role the palette
// pairs with it, on a fixed colour black or white, whichever stands out more.
QColor textOn(Colour ground, const QPalette& palette);

// How far apart two colours stand for the eye, from 1 (the same) to 21 (black on white).
double contrast(const QColor& one, const QColor& other);

// Black or white, whichever stands further from the ground.
QColor blackOrWhiteOn(const QColor& ground);

// The colour nearest to colour, on the way to toward, that stands least:1 from the ground; toward
// itself when none nearer does. In whole 8-bit steps, so that what is drawn is what was measured.
QColor standingOut(const QColor& colour, const QColor& toward, const QColor& ground, double least);
