#include "platform/qt/EndRequests.h"

#include <QCoreApplication>
#include <cstdlib>

// When the session ends, Qt's window procedure answers WM_ENDSESSION by announcing the quit;
// Windows ends the process soon after the message is answered, so the port is given back then.
// Closing the window and Exit end the program on their own, as on POSIX.
EndRequests::EndRequests(std::function<void(int)> end)
    : end_(std::move(end)), receiver_(std::make_unique<QObject>()) {
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, receiver_.get(),
                     [this] { end_(0); });
}

// The session's end reaches the program through the event loop alone.
void EndRequests::takePending() {}

EndRequests::~EndRequests() = default;

void endProcess(int) {
    std::_Exit(EXIT_SUCCESS);
}
