// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <set>
#include <string>

// The resend repeats a failure every tick, and the radio gives every send the same refusal.
// The user hears of each once; it is news again only after forget().
class TellOnce {
public:
    // True the first time news comes since the last forget(): it is to be told now, and from
    // then on it is taken as told.
    bool firstTelling(const std::string& news) { return told_.insert(news).second; }
    void forget() { told_.clear(); }

private:
    std::set<std::string> told_;
};
