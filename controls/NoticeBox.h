// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/TextBox.h"

#include <functional>
#include <string>

// The read-only box in which the window tells the user what happened: one line a report, each
// with the time it was written, the newest last. Reports go here rather than into a dialog, so
// that nothing waits for the user.
class NoticeBox : public TextBox {
public:
    static constexpr int lineLimit = 50;

    NoticeBox() : TextBox(Typing::readOnly) {}

    // The oldest line goes when the box is full.
    void report(const std::string& news);

    // A success that the window shows otherwise (a lamp flashing, a box changing) is told to
    // assistive technology too, without a line in the box.
    std::function<void(const std::string&)> onAnnounce;
    void announce(const std::string& news) const {
        if (onAnnounce) {
            onAnnounce(news);
        }
    }
};
