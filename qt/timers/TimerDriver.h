// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <QObject>
#include <QTimer>

class Timer;

// Gives a model timer its real clock. A precise timer, because the resend period must hold to
// a few milliseconds; a coarse one may be 5 % late on every tick.
class TimerDriver : public QObject {
public:
    explicit TimerDriver(Timer& timer, QObject* parent = nullptr);
    ~TimerDriver() override;
    TimerDriver(const TimerDriver&) = delete;
    TimerDriver& operator=(const TimerDriver&) = delete;

private:
    void follow();

    Timer& timer_;
    QTimer clock_;
};
