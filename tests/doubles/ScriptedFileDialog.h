// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/FileDialog.h"

#include <deque>
#include <string>
#include <vector>

// A file dialog that answers from a script and records how it was set up for each use.
class ScriptedFileDialog : public FileDialog {
public:
    struct Answer {
        Outcome outcome = Outcome::cancelled;
        std::string path;
        std::string title;
    };
    struct Setup {
        bool cancelError = false;
        int flags = 0;
        std::string filter;
        int filterIndex = 0;
        bool forSaving = false;
    };

    std::deque<Answer> answers;
    std::vector<Setup> uses;

    void choose(std::string path, std::string title) {
        answers.push_back({Outcome::chosen, std::move(path), std::move(title)});
    }
    void cancel() { answers.push_back({}); }

    void setCancelError(bool reportCancel) override { pending_.cancelError = reportCancel; }
    void setFlags(int flags) override { pending_.flags = flags; }
    void setFilter(const std::string& filter) override { pending_.filter = filter; }
    void setFilterIndex(int index) override { pending_.filterIndex = index; }

    Outcome chooseOpenFile() override { return answer(false); }
    Outcome chooseSaveFile() override { return answer(true); }
    std::string chosenPath() const override { return path_; }
    std::string chosenTitle() const override { return title_; }

private:
    // The settings recorded for one use are forgotten afterwards, so that a use which did not
    // set the dialog up anew shows as such.
    Outcome answer(bool forSaving) {
        Setup setup = pending_;
        setup.forSaving = forSaving;
        uses.push_back(setup);
        pending_ = {};
        if (answers.empty()) {
            return Outcome::cancelled;
        }
        const Answer next = answers.front();
        answers.pop_front();
        if (next.outcome == Outcome::chosen) {
            path_ = next.path;
            title_ = next.title;
        }
        return next.outcome;
    }

    Setup pending_;
    std::string path_;
    std::string title_;
};
