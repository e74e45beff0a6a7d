#pragma once

#include "platform/qt/timers/TimerDriver.h"

#include <QMainWindow>
#include <vector>

class MainWindow;
class Observable;
class QWidget;

// The window as the user sees it: real widgets built from the model, placed as the window was
// drawn, kept in step with the model both ways.
class WindowView : public QMainWindow {
public:
    explicit WindowView(MainWindow& model);
    ~WindowView() override;
    WindowView(const WindowView&) = delete;
    WindowView& operator=(const WindowView&) = delete;

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
    // Unbound when the view goes, since the model may outlive it.
    std::vector<Observable*> bound_;
    TimerDriver resendClock_;
    TimerDriver lampClock_;
};
