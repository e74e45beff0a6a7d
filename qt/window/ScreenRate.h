// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

// Brings a fast-changing text to its widget at most about sixty times a second, and always
// brings the last state. Open changes the sentence once per line, and drawing every line
// would cost far more than reading it; the handlers read the model, never the widget.
class ScreenRate : public QObject {
public:
    ScreenRate(QObject* parent, std::function<void()> show);

    void changed();

private:
    void showNow();

    static constexpr int frameMilliseconds = 16;

    std::function<void()> show_;
    QElapsedTimer sinceShown_;
    QTimer pending_;
};
