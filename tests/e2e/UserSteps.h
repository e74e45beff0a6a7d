// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "tests/support/LiveWindow.h"
#include "tests/support/TextCounts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <gtest/gtest.h>

// What a user does with the keyboard and the mouse, on the real widgets.
namespace user {
constexpr int generousMilliseconds = 5000;

// Moves through the closed list with the arrow keys, as a user does, one choice per key.
inline void choose(LiveWindow& live, const char* combo, const QString& item) {
    auto* box = live.widget<QComboBox>(combo);
    ASSERT_NE(box, nullptr) << combo;
    const int wanted = box->findText(item);
    ASSERT_GE(wanted, 0) << item.toStdString();
    box->setFocus();
    while (box->currentIndex() != wanted) {
        QTest::keyClick(box, box->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
    }
    ASSERT_EQ(box->currentText(), item);
}

inline void press(LiveWindow& live, const char* button) {
    QTest::mouseClick(live.widget(button), Qt::LeftButton);
}

inline void typeInto(LiveWindow& live, const char* cell, const QString& text) {
    auto* edit = live.widget<QLineEdit>(cell);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

inline bool waitFor(const std::function<bool()>& condition,
                    int milliseconds = generousMilliseconds) {
    return QTest::qWaitFor(condition, milliseconds);
}
} // namespace user
