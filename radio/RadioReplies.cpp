// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "radio/RadioReplies.h"

#include <cctype>

namespace {
std::string explanation(char kind, const std::string& reply, Audience audience) {
    const bool window = audience == Audience::window;
    const std::string quoted = "The radio answered \"" + reply + "\": ";
    switch (kind) {
    case '?':
        return quoted +
               "it did not accept the command. Check that the radio is in a state "
               "that takes the equaliser setting, then " +
               (window ? "press Update." : "run the command again.");
    case 'E':
        return quoted + "it saw a garbled command. " +
               (window ? "Choose the rate that matches" : "Give --rate the rate of") +
               " the radio's menu setting for its serial port, and check the cable.";
    default:
        return quoted + "it could not keep up. Send the sentence less often: " +
               (window ? "untick Auto." : "leave out --auto.");
    }
}

bool isBlankBeforeReply(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
} // namespace

std::vector<RadioReplies::Refusal> RadioReplies::receive(std::string_view received) {
    std::vector<Refusal> refusals;
    for (const char c : received) {
        if (fragment_.empty() && !outOfStep_ && isBlankBeforeReply(c)) {
            continue;
        }
        fragment_ += c;
        if (c != ';') {
            if (fragment_.size() >= fragmentLimit) {
                fragment_.clear();
                outOfStep_ = true;
            }
            continue;
        }
        // After noise, the terminator puts the reader back in step, and the one letter before
        // it is still the radio's answer.
        const std::string reply = outOfStep_ && fragment_.size() >= 2
                                      ? fragment_.substr(fragment_.size() - 2)
                                      : fragment_;
        fragment_.clear();
        outOfStep_ = false;
        if (reply.size() != 2) {
            continue;
        }
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(reply[0])));
        if (kind == '?' || kind == 'E' || kind == 'O') {
            refusals.push_back({kind, explanation(kind, reply, audience_)});
        }
    }
    return refusals;
}
