// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/EventLoop.h"

#include <functional>
#include <memory>
#include <vector>

class EndRequests;

class QtEventLoop : public EventLoop {
public:
    QtEventLoop();
    ~QtEventLoop() override;
    QtEventLoop(const QtEventLoop&) = delete;
    QtEventLoop& operator=(const QtEventLoop&) = delete;

    void yield() override;
    [[noreturn]] void endProgram() override;

    // Run at the program's end, the last added first: what the system must get back although
    // no destructor runs then.
    void releaseAtEnd(std::function<void()> release);
    // The system's requests to end (EndRequests.h) end the program as Exit does.
    void endOnSystemRequests();
    // Ends the program now if the system has asked it to: for a wait that cannot return to the
    // loop at once.
    void endIfRequested();

private:
    // request 0 for an end the program chose.
    [[noreturn]] void end(int request);

    std::vector<std::function<void()>> releases_;
    std::unique_ptr<EndRequests> endRequests_;
};
