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
    // would have replaced the first.
    void announce(const QString& message);

private:
    // The one step that differs between systems: how the text reaches the screen reader.
    void say(const QString& text);

    QStringList waiting_;
};
