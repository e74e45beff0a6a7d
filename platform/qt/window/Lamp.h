#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>
#include <utility>

// A lamp: a rectangle filled solid, with a thin dark outline so that a dark lamp still shows
// its edge on a dark theme.
class Lamp : public QWidget {
public:
    explicit Lamp(QWidget* parent);

    QColor fill() const { return fill_; }
    void setFill(const QColor& fill);

    // The accessible name for each colour the lamp shows, since its colour alone tells a
    // blind user nothing. Each change of colour changes the name, which assistive technology
    // hears of.
    void setSpokenStates(QList<std::pair<QColor, QString>> states);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void sayState();

    QColor fill_;
    QList<std::pair<QColor, QString>> spokenStates_;
};
