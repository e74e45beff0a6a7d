// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/AccessibleRoles.h"

#include "qt/window/Announcer.h"
#include "qt/window/LampWidget.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QTextEdit>
#include <algorithm>

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

// A read-only box that wraps its lines at its width, where the line breaks on screen fall where
// the width does, in the middle of a path say. Qt's own interface reads it by those screen lines;
// this one gives the lines as written, which the text interface's own line boundaries follow.
class WrittenLinesBox : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit WrittenLinesBox(QTextEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? plain() : QAccessibleWidget::text(kind);
    }

    void selection(int index, int* start, int* end) const override {
        const QTextCursor cursor = box()->textCursor();
        const bool selected = index == 0 && cursor.hasSelection();
        *start = selected ? cursor.selectionStart() : 0;
        *end = selected ? cursor.selectionEnd() : 0;
    }
    int selectionCount() const override { return box()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override {
        QTextCursor cursor = box()->textCursor();
        cursor.clearSelection();
        box()->setTextCursor(cursor);
    }
    void setSelection(int, int start, int end) override {
        QTextCursor cursor(box()->document());
        cursor.setPosition(clamped(start));
        cursor.setPosition(clamped(end), QTextCursor::KeepAnchor);
        box()->setTextCursor(cursor);
    }

    int cursorPosition() const override { return box()->textCursor().position(); }
    void setCursorPosition(int position) override { setSelection(0, position, position); }

    QString text(int start, int end) const override { return plain().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(plain().size()); }

    QRect characterRect(int offset) const override {
        QTextCursor cursor(box()->document());
        cursor.setPosition(clamped(offset));
        QRect rect = box()->cursorRect(cursor);
        const QString all = plain();
        if (offset >= 0 && offset < all.size()) {
            rect.setWidth(box()->fontMetrics().horizontalAdvance(all.at(offset)));
        }
        return {box()->viewport()->mapToGlobal(rect.topLeft()), rect.size()};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorForPosition(box()->viewport()->mapFromGlobal(point)).position();
    }

    void scrollToSubstring(int start, int end) override {
        setSelection(0, start, end);
        box()->ensureCursorVisible();
    }
    // The box's text is plain: one run without attributes.
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QTextEdit* box() const { return static_cast<QTextEdit*>(widget()); }
    QString plain() const { return box()->toPlainText(); }
    int clamped(int offset) const { return std::clamp(offset, 0, characterCount()); }
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
    if (auto* box = qobject_cast<QTextEdit*>(object);
        box && box->isReadOnly() && box->lineWrapMode() == QTextEdit::WidgetWidth) {
        return new WrittenLinesBox(box);
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
