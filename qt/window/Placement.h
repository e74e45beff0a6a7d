// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <QRect>
#include <cmath>

// The window is drawn in twips, 1440 to the logical inch: 15 to the pixel at 96 dots per inch,
// 10 at 144. Going through the screen's logical resolution, a desktop set to larger fonts gets
// a window grown with its fonts instead of text that no longer fits.
inline int twipsToPixels(int twips, int dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0));
}

// Where a control stands on the window and how large it is, in twips.
struct Placement {
    int left;
    int top;
    int width;
    int height;

    QRect pixels(int dotsPerInch) const {
        return {twipsToPixels(left, dotsPerInch), twipsToPixels(top, dotsPerInch),
                twipsToPixels(width, dotsPerInch), twipsToPixels(height, dotsPerInch)};
    }
};
