// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/EndRequests.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::array endingSignals{SIGTERM, SIGHUP, SIGINT};

// A signal handler may do next to nothing; it writes the signal's number here and the event
// loop reads it at the other end.
std::array<int, 2> signalPipe{-1, -1};

void passToEventLoop(int signal) {
    const int savedErrno = errno;
    const auto number = static_cast<unsigned char>(signal);
    // A full pipe already holds a signal that will end the program; nothing is lost.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
    errno = savedErrno;
}
} // namespace

EndRequests::EndRequests(std::function<void(int)> end) : end_(std::move(end)) {
    if (::pipe2(signalPipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    auto notifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                     [this] { takePending(); });
    receiver_ = std::move(notifier);
    struct sigaction action {};
    action.sa_handler = passToEventLoop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : endingSignals) {
        // Ignored when the program started (nohup, a background job), it stays ignored.
        struct sigaction before {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
            sigaction(signal, &action, nullptr);
        }
    }
}

void EndRequests::takePending() {
    unsigned char number = 0;
    if (receiver_ && ::read(signalPipe[0], &number, 1) == 1) {
        end_(number);
    }
}

EndRequests::~EndRequests() {
    if (receiver_) {
        for (const int signal : endingSignals) {
            std::signal(signal, SIG_DFL);
        }
    }
}

void endProcess(int request) {
    if (request != 0) {
        std::signal(request, SIG_DFL);
        std::raise(request);
    }
    std::_Exit(EXIT_SUCCESS);
}
