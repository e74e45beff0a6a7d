#include "platform/qt/window/WindowView.h"

#include "app/MainWindow.h"
#include "platform/qt/Text.h"

WindowView::WindowView(MainWindow& model, EventLoop&) {
    setWindowTitle(toQString(model.Form1.caption()));
}
