// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <QStringList>
#include <QWidget>

// Says a message to assistive technology whatever has the focus: an invisible notification that
// screen readers speak once for each message.
class Announcer : public QWidget {
public:
    explicit Announcer(QWidget* parent);

    // Messages given in one pass of the event loop are said together, once it is back: a screen
    // reader reads the notification's text when it comes to it, by which time a second message
    // would have replaced the first. While the window is not the active one they wait for it to
    // be: a screen reader drops a notification from a window it has not yet come back to, as
    // when a file dialog has just closed.
    void announce(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sayWaiting();

    // The one step that differs between systems: how the text reaches the screen reader.
    void say(const QString& text);

    QStringList waiting_;
};
