#include "platform/qt/window/Lamp.h"

#include <QPainter>

Lamp::Lamp(QWidget* parent) : QWidget(parent) {}

void Lamp::setFill(const QColor& fill) {
    if (fill != fill_) {
        fill_ = fill;
        update();
        sayState();
    }
}

void Lamp::setSpokenStates(QList<std::pair<QColor, QString>> states) {
    spokenStates_ = std::move(states);
    sayState();
}

void Lamp::sayState() {
    for (const auto& [colour, name] : spokenStates_) {
        if (colour == fill_) {
            setAccessibleName(name);
        }
    }
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), fill_);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
