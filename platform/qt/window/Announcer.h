#pragma once

#include <QWidget>

// Says a message to assistive technology whatever has the focus. It is an invisible
// notification that shows itself anew for each message, which screen readers speak once.
class Announcer : public QWidget {
public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& message);
};
