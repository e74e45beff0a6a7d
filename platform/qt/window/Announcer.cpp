#include "platform/qt/window/Announcer.h"

#include "platform/qt/window/AccessibleRoles.h"

#include <QTimer>

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    installAccessibleRoles();
    setObjectName(QStringLiteral("Announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    hide();
}

void Announcer::announce(const QString& message) {
    waiting_ << message;
    if (waiting_.size() == 1) {
        QTimer::singleShot(0, this, [this] { sayWaiting(); });
    }
}

void Announcer::sayWaiting() {
    setAccessibleName(waiting_.join(' '));
    waiting_.clear();
    // A notification that turns up is what a screen reader speaks; one that changes its text
    // while showing is not.
    hide();
    show();
}
