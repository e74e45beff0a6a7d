// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/TextBox.h"
#include "sentence/HexDigits.h"

#include <array>
#include <optional>
#include <set>
#include <string>

// The sentence: the box the user sees, and the digit store that the line editor changes and
// Update sends. The two hold the same sentence only at fixed moments: a sentence loaded from a
// sample, a file or the settings goes into both; an accepted line goes into the store alone; a
// send shows the store's sentence in the box. Nothing but this part writes either.
class Sentence {
public:
    struct Controls {
        TextBox& sentenceBox;
        HexDigits& digitStore;
    };

    using Line = std::array<std::string, HexDigits::lineLength>;

    explicit Sentence(Controls controls);

    // A sentence from a sample, a file or the settings: the box shows it and the store takes it.
    void load(const std::string& sentence);
    // While a file is read, each line is shown as it comes, and the store takes what the box
    // shows once the file has been read to the end; after a send, the box shows what went out.
    void show(const std::string& line);
    void takeShown();
    // The box shows what Update would send.
    void showStored();
    const std::string& shown() const { return controls_.sentenceBox.text(); }

    // The cells of the line that starts at store position first, as the line editor shows them.
    Line line(int first) const;
    // The line editor's cells go into the store as typed, whatever they hold.
    void acceptLine(int first, const Line& cells);
    // What Update sends: the store's cells joined.
    std::string joined() const { return controls_.digitStore.join(); }
    // The accepted lines that the box does not show, not yet sent ("lines 03 and 05"); nothing
    // while the box shows what Update would send.
    std::optional<std::string> unsentLines() const;

    // What keeps text from being a sentence the radio takes (128 hexadecimal digits, 0 to 9 and
    // A to F), with where the user finds it; nothing when it is one.
    std::optional<std::string> fault(const std::string& text) const;
    // What is wrong with the line that starts at store position first, and with the sentence's
    // length that follows from it.
    std::optional<std::string> lineFault(int first) const;

private:
    Controls controls_;
    // Line numbers accepted since the store last took the box.
    std::set<int> acceptedLines_;
};
