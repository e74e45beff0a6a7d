#pragma once

#include "controls/Colour.h"

#include <QColor>
#include <QPalette>

// A model colour as Qt draws it: 0x00BBGGRR as it stands, a system colour as the palette role
// that plays the same part on this desktop.
QColor toQColor(Colour colour, const QPalette& palette);

// Text that reads on a ground whatever the theme: on a system colour the text role the palette
// pairs with it, on a fixed colour black or white, whichever stands out more.
QColor textOn(Colour ground, const QPalette& palette);

// How far apart two colours stand for the eye, from 1 (the same) to 21 (black on white).
double contrast(const QColor& one, const QColor& other);
