#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>
#include <utility>

// A lamp: a rectangle filled solid, outlined in the theme's text colour so that it stands out
// from the window's ground whatever the theme, a dark lamp on a dark window included.
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
