#pragma once

#include "app/controls/Colour.h"
#include "app/controls/Observable.h"

// A rectangle filled solid with its fill colour: a lamp.
class Shape : public Observable {
public:
    explicit Shape(Colour fillColour) : fillColour_(fillColour) {}

    Colour fillColour() const { return fillColour_; }
    void setFillColour(Colour colour) {
        if (colour != fillColour_) {
            fillColour_ = colour;
            changed();
        }
    }

private:
    Colour fillColour_;
};
