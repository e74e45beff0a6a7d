// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/Audience.h"

#include <string>
#include <string_view>
#include <vector>

// Reads the radio's replies out of what the port receives and says which of them the user
// should hear of. A radio answers an accepted command with nothing and a refused one with
// "?;", "E;" or "O;"; every other reply (auto-information status, say) is ignored.
class RadioReplies {
public:
    // A fragment this long without ";" is noise, not a reply, and is dropped whole.
    static constexpr std::size_t fragmentLimit = 64;

    explicit RadioReplies(Audience audience) : audience_(audience) {}

    struct Refusal {
        char kind; // '?', 'E' or 'O', whatever the case the radio used
        std::string report;
    };

    // The refusals that the received text completes, in order.
    std::vector<Refusal> receive(std::string_view received);

    std::size_t heldCharacters() const { return fragment_.size(); }

private:
    Audience audience_;
    std::string fragment_;
    // A fragment was dropped for its length; the next ";" ends the noise.
    bool outOfStep_ = false;
};
