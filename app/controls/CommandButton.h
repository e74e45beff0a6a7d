#pragma once

#include "app/controls/Colour.h"
#include "app/controls/Observable.h"

#include <string>

// A standard push button: its back colour is kept but a standard button does not show it.
class CommandButton : public Observable {
public:
    explicit CommandButton(std::string caption, Colour backColour = colours::system(15))
        : caption_(std::move(caption)), backColour_(backColour) {}

    Handler onClick;

    const std::string& caption() const { return caption_; }
    Colour backColour() const { return backColour_; }
    void setBackColour(Colour colour) {
        if (colour != backColour_) {
            backColour_ = colour;
            changed();
        }
    }

    void press() { raise(onClick); }

private:
    std::string caption_;
    Colour backColour_;
};
