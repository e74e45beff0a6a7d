// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/EndRequests.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <cstdlib>
#include <windows.h>

namespace {
// Windows tells each top-level window that the session ends and ends the process as soon as the
// message is answered, so the end is passed on from inside the message. Only that message: a
// program that quits of its own accord returns its own exit status.
class SessionEnd : public QObject, public QAbstractNativeEventFilter {
public:
    explicit SessionEnd(std::function<void(int)>& end) : end_(end) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        const auto* windowsMessage = static_cast<const MSG*>(message);
        if (type == "windows_generic_MSG" && windowsMessage->message == WM_ENDSESSION &&
            windowsMessage->wParam != FALSE) {
            end_(0);
        }
        return false;
    }

private:
    std::function<void(int)>& end_;
};
} // namespace

EndRequests::EndRequests(std::function<void(int)> end)
    : end_(std::move(end)), receiver_(std::make_unique<SessionEnd>(end_)) {}

// The session's end reaches the program through the event loop alone.
void EndRequests::takePending() {}

EndRequests::~EndRequests() = default;

void endProcess(int) {
    std::_Exit(EXIT_SUCCESS);
}
