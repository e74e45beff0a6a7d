// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <functional>
#include <utility>

// A control's state that something outside the model shows: the binding watches it
// through the one observer and brings each change to its widget.
class Observable {
public:
    void setObserver(std::function<void()> observer) { observer_ = std::move(observer); }

protected:
    void changed() {
        if (observer_) {
            observer_();
        }
    }

private:
    std::function<void()> observer_;
};

using Handler = std::function<void()>;

inline void raise(const Handler& handler) {
    if (handler) {
        handler();
    }
}
