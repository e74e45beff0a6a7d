#include "platform/qt/window/AccessibleRoles.h"

#include "platform/qt/window/Announcer.h"
#include "platform/qt/window/LampWidget.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace {
// On Linux Qt names a combo box by its current text ("9600"), so a screen reader says the value
// twice and never what the box is for.
class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return box()->currentText();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = box()->isEditable();
        state.expandable = true;
        state.expanded = box()->view()->isVisible();
        state.collapsed = !state.expanded;
        return state;
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* roleFor(const QString&, QObject* object) {
    if (auto* announcer = dynamic_cast<Announcer*>(object)) {
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    }
    if (auto* lamp = dynamic_cast<LampWidget*>(object)) {
        return new QAccessibleWidget(lamp, QAccessible::StaticText);
    }
    if (auto* box = qobject_cast<QComboBox*>(object); box && !box->accessibleName().isEmpty()) {
        return new NamedComboBox(box);
    }
    return nullptr;
}
} // namespace

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(roleFor);
        return true;
    }();
    static_cast<void>(installed);
}
