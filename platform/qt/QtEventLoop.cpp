#include "platform/qt/QtEventLoop.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

void QtEventLoop::yield() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Exit may come from inside a yield; returning would resume the handler that yielded, so the
// process ends here. Settings are on disk as soon as they are written, so nothing is lost.
void QtEventLoop::endProgram() {
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
