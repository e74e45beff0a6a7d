// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include <QFile>
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace {
// Line art on a transparent ground: anything else is a renderer's smoothing or a wrong palette.
bool isLineArtPixel(QRgb pixel) {
    if (qAlpha(pixel) == 0) {
        return true;
    }
    return pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255) || pixel == qRgb(128, 128, 128) ||
           pixel == qRgb(192, 192, 192);
}

void expectIcon(const QString& name, int size) {
    SCOPED_TRACE(name.toStdString());
    ASSERT_TRUE(QFile::exists(name)) << "not compiled into the program";
    const QImage icon(name);
    ASSERT_EQ(icon.size(), QSize(size, size));
    EXPECT_TRUE(icon.hasAlphaChannel());
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "the ground must be transparent";
    int transparent = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = icon.pixel(x, y);
            EXPECT_TRUE(isLineArtPixel(pixel))
                << "pixel " << x << "," << y << " is #" << std::hex << pixel;
            transparent += qAlpha(pixel) == 0;
        }
    }
    EXPECT_LT(transparent, size * size / 2) << "the drawing is mostly empty";
}
} // namespace

TEST(Icon, BothSizesAreBuiltInAsLineArtInFourColoursOnATransparentGround) {
    expectIcon(":/icons/sonavel-16.png", 16);
    expectIcon(":/icons/sonavel-32.png", 32);
}
