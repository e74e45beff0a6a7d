// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "qt/timers/TimerDriver.h"

#include <QMainWindow>
#include <vector>

class EventLoop;
class MainWindow;
class Observable;
class QWidget;

// The window as the user sees it: real widgets built from the model, placed as the window was
// drawn, kept in step with the model both ways.
class WindowView : public QMainWindow {
public:
    WindowView(MainWindow& model, EventLoop& eventLoop);
    ~WindowView() override;
    WindowView(const WindowView&) = delete;
    WindowView& operator=(const WindowView&) = delete;

protected:
    // Closing from the title bar ends the program at once, like Exit: a handler interrupted
    // in a yield must not go on after the window has gone.
    void closeEvent(QCloseEvent* event) override;
    // The window keeps its size even when the system maximises it regardless, as a shortcut set
    // to start maximised does on Windows.
    void changeEvent(QEvent* event) override;

private:
    void buildPortSettings(QWidget* client);
    void buildNotices(QWidget* client);
    void buildCommandViewer(QWidget* client);
    void buildFile(QWidget* client);
    void buildSending(QWidget* client);
    void buildLineEditor(QWidget* client);
    void buildMenu();
    void setTabOrder();

    MainWindow& model_;
    EventLoop& eventLoop_;
    // Unbound when the view goes, since the model may outlive it.
    std::vector<Observable*> bound_;
    TimerDriver resendClock_;
    TimerDriver lampClock_;
};
