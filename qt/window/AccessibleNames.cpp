// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/AccessibleNames.h"

#include "qt/window/AccessibleRoles.h"
#include "qt/window/LampWidget.h"
#include "sentence/HexDigits.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QTextEdit>
#include <QWidget>

namespace {
struct Name {
    const char* control;
    const char* name;
};

// Buttons are named too: a caption wrapped to fit its button would be read with its break.
constexpr Name names[]{
    {"Combo1", "Sample"},      {"Text1", "Sentence"},
    {"Text3", "Line numbers"}, {"Command1", "Exit"},
    {"Combo2", "Port"},        {"Combo3", "Rate"},
    {"Command2", "Connect"},   {"Text4", "Notices"},
    {"Command8", "Open"},      {"Command10", "Save"},
    {"Command6", "Update"},    {"Check1", "Auto"},
    {"Combo4", "Line"},        {"Command3", "Accept Changes"},
};

QLineEdit* cell(QWidget* window, int column) {
    return window->findChild<QLineEdit*>(QStringLiteral("Text2(%1)").arg(column));
}

// Digits count from 1 as the user counts them; the line is said as the selector shows it.
void nameCells(QWidget* window, const QComboBox* lines) {
    const int chosen = lines->currentIndex();
    for (int column = 0; column < HexDigits::lineLength; ++column) {
        const QString digit = QString::number(column + 1);
        cell(window, column)
            ->setAccessibleName(
                chosen < 0
                    ? QStringLiteral("Digit ") + digit
                    : QStringLiteral("Line %1, digit %2").arg(lines->itemText(chosen), digit));
    }
}

// Qt may have made a widget's interface while building it, before the roles of this window
// were installed and before it had a name; the next one made is this window's kind.
void forgetInterface(QWidget* widget) {
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

} // namespace

void nameControls(QWidget* window) {
    installAccessibleRoles();
    for (const auto& [control, name] : names) {
        auto* widget = window->findChild<QWidget*>(QLatin1String(control));
        widget->setAccessibleName(QString::fromLatin1(name));
        // An editable combo box hands the focus to its edit field, which is what is spoken.
        if (auto* box = qobject_cast<QComboBox*>(widget)) {
            forgetInterface(box);
            box->lineEdit()->setAccessibleName(QString::fromLatin1(name));
            box->lineEdit()->setAccessibleDescription(box->toolTip());
        }
    }
    // A lamp's name, its state in words, comes from the lamp itself, and a text box's reading
    // from how it wraps, set once it was built.
    for (auto* lamp : window->findChildren<LampWidget*>()) {
        forgetInterface(lamp);
    }
    for (auto* box : window->findChildren<QTextEdit*>()) {
        forgetInterface(box);
    }

    auto* lines = window->findChild<QComboBox*>(QStringLiteral("Combo4"));
    nameCells(window, lines);
    // After the binding's own handler, so the line read is the one the model chose.
    QObject::connect(lines, &QComboBox::activated, lines,
                     [window, lines] { nameCells(window, lines); });
}
