// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>
#include <string_view>
#include <vector>

// rigctld's answers to commands sent with "+" before them: lines of text, each answer ended by
// "RPRT n" (0 for success, minus an error number otherwise).
class RigctldAnswers {
public:
    // A line this long is no answer of rigctld's, and is cut here.
    static constexpr std::size_t lineLimit = 4096;

    struct Answer {
        int code = 0;
        // What the radio answered to a raw command ("?;"); empty when it said nothing.
        std::string radioReply;
        std::vector<std::string> lines;
    };

    // The answers that the received bytes complete, in order.
    std::vector<Answer> receive(std::string_view bytes);

private:
    void endLine(std::vector<Answer>& finished);

    std::string line_;
    Answer current_;
};

// The raw-command verb for text, which must be one word: "+W UR...; 0\n" writes it and answers
// at once; with readReply, rigctld reads the radio's answer up to its ";" and waits its own
// timeout when the radio says nothing.
std::string rigctldRawCommand(const std::string& text, bool readReply);

// "Kenwood TS-2000", from the answer to "+\dump_caps"; empty when it names no radio.
std::string rigctldRadioName(const RigctldAnswers::Answer& capabilities);

// What the error number of "RPRT -6" means, in words: "an input/output error on the radio's
// port".
std::string rigctldErrorWords(int code);
