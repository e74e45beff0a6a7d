#pragma once

#include <QColor>
#include <QWidget>

// A lamp: a rectangle filled solid, with a thin dark outline so that a dark lamp still shows
// its edge on a dark theme.
class Lamp : public QWidget {
public:
    explicit Lamp(QWidget* parent);

    QColor fill() const { return fill_; }
    void setFill(const QColor& fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
};
