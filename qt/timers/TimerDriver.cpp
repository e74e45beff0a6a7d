// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/timers/TimerDriver.h"

#include "controls/Timer.h"

TimerDriver::TimerDriver(Timer& timer, QObject* parent) : QObject(parent), timer_(timer) {
    clock_.setTimerType(Qt::PreciseTimer);
    clock_.setInterval(timer.interval());
    connect(&clock_, &QTimer::timeout, this, [this] { timer_.tick(); });
    timer_.setObserver([this] { follow(); });
    follow();
}

TimerDriver::~TimerDriver() {
    timer_.setObserver(nullptr);
}

void TimerDriver::follow() {
    if (timer_.isEnabled() && !clock_.isActive()) {
        clock_.start();
    } else if (!timer_.isEnabled()) {
        clock_.stop();
    }
}
