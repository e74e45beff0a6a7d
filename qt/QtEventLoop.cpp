// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/QtEventLoop.h"

#include "qt/EndRequests.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <chrono>
#include <cstdio>

namespace {
using Clock = std::chrono::steady_clock;

// A pass through the whole event loop costs about a microsecond, a system call included, which
// is several times the reading of a short line; Open yields after every line. Posted events
// (what the handlers, the window system and other threads queue) are sent at every yield. The
// sources the loop must ask the system about (timers, the port, the display) are asked at the
// next yield after a pass that found work, and otherwise at least this often.
constexpr auto longestUnpolled = std::chrono::microseconds(200);

struct Polling {
    bool foundWork = true;
    Clock::time_point last{};
};
Polling polling;
} // namespace

QtEventLoop::QtEventLoop() = default;

QtEventLoop::~QtEventLoop() = default;

void QtEventLoop::yield() {
    QCoreApplication::sendPostedEvents();
    const Clock::time_point now = Clock::now();
    if (!polling.foundWork && now - polling.last < longestUnpolled) {
        return;
    }
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    polling.foundWork = dispatcher != nullptr && dispatcher->processEvents(QEventLoop::AllEvents);
    polling.last = Clock::now();
}

// Exit may come from inside a yield; returning would resume the handler that yielded, so the
// process ends here. Settings are on disk as soon as they are written, so nothing is lost.
void QtEventLoop::endProgram() {
    end(0);
}

void QtEventLoop::releaseAtEnd(std::function<void()> release) {
    releases_.push_back(std::move(release));
}

void QtEventLoop::endOnSystemRequests() {
    if (!endRequests_) {
        endRequests_ = std::make_unique<EndRequests>([this](int request) { end(request); });
    }
}

void QtEventLoop::endIfRequested() {
    if (endRequests_) {
        endRequests_->takePending();
    }
}

void QtEventLoop::end(int request) {
    const std::vector<std::function<void()>> releases = std::move(releases_);
    for (auto release = releases.rbegin(); release != releases.rend(); ++release) {
        (*release)();
    }
    std::fflush(nullptr);
    endProcess(request);
}
