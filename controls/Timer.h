// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/Observable.h"

// Raises its tick once per interval while enabled.
class Timer : public Observable {
public:
    explicit Timer(int intervalMilliseconds) : interval_(intervalMilliseconds) {}

    Handler onTick;

    bool isEnabled() const { return enabled_; }
    int interval() const { return interval_; }

    // Enabling a running timer leaves its period as it was, so a resend never drifts.
    void setEnabled(bool enabled) {
        if (enabled != enabled_) {
            enabled_ = enabled;
            changed();
        }
    }

    // The interval has passed; a disabled timer does not tick.
    void tick() {
        if (enabled_) {
            raise(onTick);
        }
    }

private:
    int interval_;
    bool enabled_ = false;
};
