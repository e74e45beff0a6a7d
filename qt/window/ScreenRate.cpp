// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/ScreenRate.h"

ScreenRate::ScreenRate(QObject* parent, std::function<void()> show)
    : QObject(parent), show_(std::move(show)) {
    pending_.setSingleShot(true);
    connect(&pending_, &QTimer::timeout, this, [this] { showNow(); });
}

void ScreenRate::changed() {
    if (pending_.isActive()) {
        return;
    }
    const qint64 elapsed = sinceShown_.isValid() ? sinceShown_.elapsed() : frameMilliseconds;
    if (elapsed >= frameMilliseconds) {
        showNow();
    } else {
        pending_.start(static_cast<int>(frameMilliseconds - elapsed));
    }
}

void ScreenRate::showNow() {
    show_();
    sinceShown_.restart();
}
