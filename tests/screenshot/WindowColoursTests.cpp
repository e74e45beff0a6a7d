// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
// Where the window's layout puts its coloured controls, in client pixels below the menu bar.
constexpr QRect sentenceBox(56, 136, 105, 299);
constexpr QRect noticeBox(240, 24, 145, 57);
constexpr QRect portLamp(16, 32, 10, 25);
constexpr QRect sendLamp(200, 192, 9, 25);

// Both text boxes carry a vertical scroll bar at their right edge.
constexpr int scrollBarAllowance = 22;
// Keeps the samples clear of frames and of a pixel's error in finding the client area.
constexpr int margin = 3;

const QRgb darkBlue = qRgb(0, 0, 128);
const QRgb darkRed = qRgb(128, 0, 0);
const QRgb darkGreen = qRgb(0, 128, 0);

constexpr int generousMilliseconds = 180'000;

bool near(QRgb pixel, QRgb colour) {
    constexpr int tolerance = 24;
    return std::abs(qRed(pixel) - qRed(colour)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(colour)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(colour)) <= tolerance;
}

QRect boundingBox(const QImage& image, QRgb colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (near(image.pixel(x, y), colour)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// The share of the pixels in an area that show the colour; none where the area is off the image.
double share(const QImage& image, const QRect& area, QRgb colour) {
    const QRect seen = area & image.rect();
    int matching = 0;
    for (int y = seen.top(); y <= seen.bottom(); ++y) {
        for (int x = seen.left(); x <= seen.right(); ++x) {
            matching += near(image.pixel(x, y), colour);
        }
    }
    return area.isEmpty() ? 0.0 : static_cast<double>(matching) / (area.width() * area.height());
}

QRect sampled(const QRect& control, const QPoint& client, int rightAllowance = 0) {
    return control.translated(client).adjusted(margin, margin, -margin - rightAllowance, -margin);
}
} // namespace

TEST(WindowScreenshot, TheSentenceBoxNoticeBoxAndLampsShowTheirColoursWhereTheLayoutPutsThem) {
    // Kept beside the test, to be looked at when a check fails.
    const QString picture = QDir::current().absoluteFilePath("window-screenshot.png");
    QFile::remove(picture);
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start("bash", {SCREENSHOT_TOOL, SONAVEL_PROGRAM, picture});
    if (!tool.waitForFinished(generousMilliseconds)) {
        // Asked rather than killed, the tool still stops the program and the virtual screen.
        tool.terminate();
        tool.waitForFinished(10'000);
        FAIL() << "the screenshot tool hangs";
    }
    const std::string toolOutput = tool.readAll().toStdString();
    ASSERT_EQ(tool.exitStatus(), QProcess::NormalExit) << toolOutput;
    ASSERT_EQ(tool.exitCode(), 0) << toolOutput;
    const QImage window = QImage(picture).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(window.isNull()) << toolOutput;

    const QRect blue = boundingBox(window, darkBlue);
    ASSERT_FALSE(blue.isEmpty()) << "no dark-blue sentence box in " << picture.toStdString();
    // A frame drawn around the box takes the same width off each side of the blue.
    const int frame = (sentenceBox.height() - blue.height()) / 2;
    ASSERT_GE(frame, 0) << "the dark-blue area is taller than the sentence box";
    ASSERT_LE(frame, 3) << "the dark-blue area is shorter than the sentence box";
    const QPoint client = blue.topLeft() - sentenceBox.topLeft() - QPoint(frame, frame);
    EXPECT_LE(std::abs(client.x()), 1) << "the client area must start at the window's left edge";
    EXPECT_GE(client.y(), 0);
    EXPECT_LE(client.y(), 60) << "only the menu bar may lie above the client area";

    EXPECT_GE(share(window, sampled(sentenceBox, client, scrollBarAllowance), darkBlue), 0.5)
        << "the sentence box";
    EXPECT_GE(share(window, sampled(noticeBox, client, scrollBarAllowance), darkRed), 0.4)
        << "the notice box";
    EXPECT_GE(share(window, sampled(portLamp, client), darkRed), 0.9) << "the port lamp";
    EXPECT_GE(share(window, sampled(sendLamp, client), darkGreen), 0.9) << "the send lamp";
}
