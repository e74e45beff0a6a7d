#pragma once

#include <QMainWindow>

class MainWindow;
class EventLoop;

class WindowView : public QMainWindow {
public:
    WindowView(MainWindow& model, EventLoop& eventLoop);
};
