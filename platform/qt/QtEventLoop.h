#pragma once

#include "platform/EventLoop.h"

#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

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
    // SIGTERM, SIGHUP and SIGINT (a logout, a kill, Ctrl+C) end the program as Exit does. The
    // event loop takes them, so they end it between two steps of a handler, in a yield or
    // under a modal dialog as well, never in the middle of one.
    void endOnSignals();
    // Ends the program now if an ending signal has come: for a wait that cannot return to the
    // loop at once.
    void endIfSignalled();

private:
    // signal 0 for an end the program chose.
    [[noreturn]] void end(int signal);

    std::vector<std::function<void()>> releases_;
    std::unique_ptr<QSocketNotifier> signals_;
};
