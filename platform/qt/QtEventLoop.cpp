#include "platform/qt/QtEventLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
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

QtEventLoop::~QtEventLoop() {
    if (signals_) {
        for (const int signal : endingSignals) {
            std::signal(signal, SIG_DFL);
        }
    }
}

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

void QtEventLoop::endOnSignals() {
    if (signals_ || ::pipe2(signalPipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    signals_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(signals_.get(), &QSocketNotifier::activated, signals_.get(),
                     [this] { endIfSignalled(); });
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

void QtEventLoop::endIfSignalled() {
    unsigned char number = 0;
    if (signals_ && ::read(signalPipe[0], &number, 1) == 1) {
        end(number);
    }
}

void QtEventLoop::end(int signal) {
    const std::vector<std::function<void()>> releases = std::move(releases_);
    for (auto release = releases.rbegin(); release != releases.rend(); ++release) {
        (*release)();
    }
    std::fflush(nullptr);
    if (signal != 0) {
        // Whoever sent the signal learns that it ended the program.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
    std::_Exit(EXIT_SUCCESS);
}
