// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "qt/window/WindowView.h"
#include "tests/doubles/TestWindow.h"
#include "tests/support/TestApplication.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// The real widgets of the window on the model with test doubles, shown and active. The script
// readies the doubles (stored settings, say) before start-up.
struct ShownWindow {
    explicit ShownWindow(const std::function<void(TestWindow&)>& script = {}) {
        application();
        if (script) {
            script(model);
        }
        model.start();
        view = std::make_unique<WindowView>(*model.window, model.loop);
        view->show();
        view->activateWindow();
        if (!QTest::qWaitForWindowActive(view.get())) {
            ADD_FAILURE() << "the window did not become active";
        }
    }

    template <class Widget = QWidget> Widget* widget(const QString& name) const {
        auto* found = view->findChild<Widget*>(name);
        if (!found) {
            ADD_FAILURE() << "no widget " << name.toStdString();
        }
        return found;
    }

    QWidget* client() const { return view->centralWidget(); }

    TestWindow model;
    std::unique_ptr<WindowView> view;
};
