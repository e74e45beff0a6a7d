#pragma once

#include "app/controls/Colour.h"

#include <QColor>
#include <QPalette>

// A model colour as Qt draws it: 0x00BBGGRR as it stands, a system colour as the palette role
// that plays the same part on this desktop.
QColor toQColor(Colour colour, const QPalette& palette);
