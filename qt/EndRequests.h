// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <functional>
#include <memory>

class QObject;

// The system's requests that the program end, passed to end from the event loop: between two
// steps of a handler, in a yield or under a modal dialog, never in the middle of one. On POSIX
// they are SIGTERM, SIGHUP and SIGINT (a logout, a kill, Ctrl+C), and end gets the signal; on
// Windows it is the end of the session, and end gets 0.
class EndRequests {
public:
    explicit EndRequests(std::function<void(int)> end);
    ~EndRequests();
    EndRequests(const EndRequests&) = delete;
    EndRequests& operator=(const EndRequests&) = delete;

    // Passes on a request that has come but not yet reached the event loop.
    void takePending();

private:
    std::function<void(int)> end_;
    // What the event loop hands the requests to; none are taken without it.
    std::unique_ptr<QObject> receiver_;
};

// Ends the process after a request: whoever sent a signal learns that it ended the program.
[[noreturn]] void endProcess(int request);
