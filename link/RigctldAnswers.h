// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>
#include <string_view>
#include <vector>

// rigctld's answers to commands sent with "+" before them: lines of text, each answer ended by
// "RPRT n" (0 for success, minus an error number otherwise). What no rigctld sends is a fault,
// and what comes after a fault is not read: a peer must not make the program keep whatever it
// sends.
class RigctldAnswers {
public:
    // The longest line rigctld sends is a few hundred characters.
    static constexpr std::size_t lineLimit = 4096;
    // rigctld's longest answer, its capabilities, takes about 13 KiB.
    static constexpr std::size_t answerLimit = 64 * 1024;

    struct Answer {
        int code = 0;
        // What the radio answered to a raw command ("?;"); empty when it said nothing.
        std::string radioReply;
        std::vector<std::string> lines;
    };

    // The answers that the received bytes complete, in order, up to a fault.
    std::vector<Answer> receive(std::string_view bytes);
    // Why what came is no answer of rigctld's: "a line of more than 4096 characters"; empty
    // while it reads as rigctld's.
    const std::string& fault() const { return fault_; }

private:
    void endLine(std::vector<Answer>& finished);

    std::string line_;
    Answer current_;
    // What the unfinished answer holds, its unfinished line included.
    std::size_t answerBytes_ = 0;
    std::string fault_;
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

// Whether "RPRT code" says that the radio itself refused the command, rather than that rigctld
// could not pass it on.
bool rigctldRadioRefused(int code);

// Why rigctld could not do what was asked and what to do, after the port's name: " cannot reach
// the radio: the radio did not answer in time (RPRT -5). Check that the radio is switched on and
// its cable at the computer rigctld runs on".
std::string rigctldTrouble(int code);
