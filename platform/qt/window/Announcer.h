#pragma once

#include <QStringList>
#include <QWidget>

// Says a message to assistive technology whatever has the focus. It is an invisible
// notification that shows itself anew for each message, which screen readers speak once.
class Announcer : public QWidget {
public:
    explicit Announcer(QWidget* parent);

    // Messages given in one pass of the event loop are said together, once it is back: a screen
    // reader reads the notification's text when it comes to it, by which time a second message
    // would have replaced the first.
    void announce(const QString& message);

private:
    void sayWaiting();

    QStringList waiting_;
};
