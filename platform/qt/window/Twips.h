#pragma once

#include <QRect>

// The window is drawn in twips, 15 to the pixel at 96 dots per inch. Qt's device-independent
// pixels are 96 to the inch, so the same numbers scale on denser screens.
struct Twips {
    int left;
    int top;
    int width;
    int height;

    QRect pixels() const { return {left / 15, top / 15, width / 15, height / 15}; }
};
