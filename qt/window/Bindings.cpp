// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/Bindings.h"

#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/CommandButton.h"
#include "controls/Lamp.h"
#include "controls/NoticeBox.h"
#include "controls/TextBox.h"
#include "qt/Latin1Text.h"
#include "qt/window/Announcer.h"
#include "qt/window/Colours.h"
#include "qt/window/ColumnBox.h"
#include "qt/window/Fitting.h"
#include "qt/window/LampWidget.h"
#include "qt/window/ScreenRate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

namespace bindings {
namespace {
// The edit field of a combo box. Qt's combo box takes leaving the field, or Enter, with text
// that names an item as a choice of that item; here only a choice from the list is one, so
// the field says when it is finishing an edit.
class ComboEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    bool isFinishing() const { return finishing_; }

protected:
    // Tabbing in would select the text, and a screen reader says a selection as it comes, before
    // the box that took the focus and its value: the value twice. Typing here chooses nothing,
    // so the selection served nobody.
    void focusInEvent(QFocusEvent* event) override {
        if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
            QFocusEvent entered(event->type(), Qt::OtherFocusReason);
            QLineEdit::focusInEvent(&entered);
        } else {
            QLineEdit::focusInEvent(event);
        }
    }
    void focusOutEvent(QFocusEvent* event) override {
        finishing_ = true;
        QLineEdit::focusOutEvent(event);
        finishing_ = false;
    }
    void keyPressEvent(QKeyEvent* event) override {
        finishing_ = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        QLineEdit::keyPressEvent(event);
        finishing_ = false;
    }

private:
    bool finishing_ = false;
};

void follow(Observable& model, const std::function<void()>& show) {
    model.setObserver(show);
    show();
}

// Qt's combo box moves with the arrow keys from its list position, which stays where the model
// put it while the field shows a restored or typed text. Where that text names an item, the
// user expects the arrows to move from that item.
class ArrowsFromNamedItem : public QObject {
public:
    ArrowsFromNamedItem(ComboBox& model, QComboBox* widget) : QObject(widget), model_(model) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return QObject::eventFilter(watched, event);
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const int move = key->key() == Qt::Key_Down ? 1 : key->key() == Qt::Key_Up ? -1 : 0;
        auto* widget = static_cast<QComboBox*>(parent());
        const int named = widget->findText(widget->currentText(), Qt::MatchExactly);
        if (move == 0 || key->modifiers() != Qt::NoModifier || named < 0 ||
            named == widget->currentIndex()) {
            return QObject::eventFilter(watched, event);
        }
        const int chosen = std::clamp(named + move, 0, widget->count() - 1);
        if (chosen != named) {
            model_.choose(chosen);
        }
        return true;
    }

private:
    ComboBox& model_;
};
} // namespace

void showText(TextBox& model, ColumnBox* widget) {
    const auto show = [&model, widget] {
        const QString shown = toQString(model.text());
        if (widget->toPlainText() != shown) {
            widget->showPlainText(shown);
        }
    };
    auto* rate = new ScreenRate(widget, show);
    model.setObserver([rate] { rate->changed(); });
    show();
}

void showNotices(NoticeBox& model, QTextEdit* widget) {
    auto* announcer = new Announcer(widget->parentWidget());
    const auto show = [&model, widget] {
        const QString shown = toShownQString(model.text());
        const QString before = widget->toPlainText();
        if (before == shown) {
            return false;
        }
        // Assistive technology hears only the new line inserted; replacing the whole text
        // reads as a deletion of everything and is dropped.
        if (shown.startsWith(before) && (before.isEmpty() || shown.at(before.size()) == '\n')) {
            QTextCursor end(widget->document());
            end.movePosition(QTextCursor::End);
            end.insertText(shown.mid(before.size()));
        } else {
            widget->setPlainText(shown);
        }
        widget->verticalScrollBar()->setValue(widget->verticalScrollBar()->maximum());
        return true;
    };
    model.setObserver([widget, announcer, show] {
        if (show()) {
            announcer->announce(widget->document()->lastBlock().text());
        }
    });
    model.onAnnounce = [announcer](const std::string& news) {
        announcer->announce(toShownQString(news));
    };
    show();
}

void editCell(TextBox& model, QLineEdit* widget) {
    // A line edit tells where its caret stands the first time it takes the focus, before the focus
    // itself, and a screen reader then takes the caret for the focus and names nothing. Told now,
    // before anyone listens, it is not told then.
    widget->setCursorPosition(0);
    follow(model, [&model, widget] {
        const QString shown = toQString(model.text());
        // A screen reader says nothing for an empty cell.
        widget->setAccessibleDescription(shown.isEmpty() ? QStringLiteral("empty") : QString());
        if (widget->text() != shown) {
            widget->setText(shown);
        }
    });
    QObject::connect(widget, &QLineEdit::textEdited, widget,
                     [&model](const QString& text) { model.type(fromQString(text)); });
}

void comboBox(ComboBox& model, QComboBox* widget) {
    auto* edit = new ComboEdit(widget);
    widget->setLineEdit(edit);
    // The list is the model's: typing must neither add items nor complete to one.
    widget->setInsertPolicy(QComboBox::NoInsert);
    widget->setCompleter(nullptr);
    follow(model, [&model, widget] {
        const QSignalBlocker quiet(widget);
        if (widget->count() != model.listCount()) {
            widget->clear();
            for (const auto& item : model.items()) {
                widget->addItem(toQString(item.text));
            }
        }
        if (widget->currentIndex() != model.listIndex()) {
            widget->setCurrentIndex(model.listIndex());
        }
        const QString shown = toShownQString(model.text());
        if (widget->currentText() != shown) {
            widget->setEditText(shown);
        }
    });
    QObject::connect(widget, &QComboBox::activated, widget, [&model, widget, edit](int index) {
        if (edit->isFinishing()) {
            // Put back the model's list position that Qt moved.
            const QSignalBlocker quiet(widget);
            widget->setCurrentIndex(model.listIndex());
            widget->setEditText(toShownQString(model.text()));
        } else {
            model.choose(index);
        }
    });
    QObject::connect(edit, &QLineEdit::textEdited, widget,
                     [&model](const QString& text) { model.type(text.toStdString()); });
    auto* arrows = new ArrowsFromNamedItem(model, widget);
    widget->installEventFilter(arrows);
    edit->installEventFilter(arrows);
}

void button(CommandButton& model, QPushButton* widget) {
    fitting::showCaption(widget, toQString(model.caption()));
    QObject::connect(widget, &QPushButton::clicked, widget, [&model] { model.press(); });
}

void checkBox(CheckBox& model, QCheckBox* widget) {
    widget->setText(toQString(model.caption()));
    follow(model, [&model, widget] {
        const Qt::CheckState state = model.value() == CheckBox::greyed ? Qt::PartiallyChecked
                                     : model.isTicked()                ? Qt::Checked
                                                                       : Qt::Unchecked;
        if (widget->checkState() != state) {
            widget->setCheckState(state);
        }
    });
    QObject::connect(widget, &QCheckBox::clicked, widget, [&model](bool checked) {
        model.setValue(checked ? CheckBox::ticked : CheckBox::unticked);
    });
}

void lamp(Lamp& model, LampWidget* widget, QWidget* control) {
    follow(model, [&model, widget, control] {
        widget->setFill(toQColor(model.fillColour(), widget->palette()));
        const QString state = toQString(model.spokenState());
        widget->setAccessibleName(state);
        if (control) {
            control->setAccessibleDescription(state + ". " + control->toolTip());
        }
    });
}
} // namespace bindings
