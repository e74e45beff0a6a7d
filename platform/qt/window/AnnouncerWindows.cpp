#include "platform/qt/window/AccessibleRoles.h"
#include "platform/qt/window/Announcer.h"

#include <QAccessible>

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    installAccessibleRoles();
    setObjectName(QStringLiteral("Announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    hide();
}

// Qt's UI Automation bridge raises nothing for a notification that shows itself; a change of
// value that carries text it raises as a UI Automation notification, which screen readers speak
// wherever the focus is.
void Announcer::announce(const QString& message) {
    setAccessibleName(message);
    QAccessibleValueChangeEvent changed(this, message);
    QAccessible::updateAccessibility(&changed);
}
