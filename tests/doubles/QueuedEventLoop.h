// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/EventLoop.h"

#include <deque>
#include <functional>
#include <stdexcept>

// Thrown where the program would have ended, so a test sees that nothing resumed.
struct ProgramEnded : std::runtime_error {
    ProgramEnded() : std::runtime_error("the program ended") {}
};

// An event loop whose waiting events a test queues; a yield runs those waiting when it starts.
class QueuedEventLoop : public EventLoop {
public:
    void post(std::function<void()> event) { waiting_.push_back(std::move(event)); }
    std::size_t waitingCount() const { return waiting_.size(); }
    int yieldCount() const { return yields_; }

    void yield() override {
        ++yields_;
        runWaiting();
    }

    // What the real loop does between handlers.
    void runWaiting() {
        std::deque<std::function<void()>> now;
        now.swap(waiting_);
        while (!now.empty()) {
            auto event = std::move(now.front());
            now.pop_front();
            event();
        }
    }

    // Runs until nothing is waiting, for events that post further events.
    void settle() {
        while (!waiting_.empty()) {
            runWaiting();
        }
    }

    [[noreturn]] void endProgram() override { throw ProgramEnded{}; }

private:
    std::deque<std::function<void()>> waiting_;
    int yields_ = 0;
};
