// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "parts/SentenceFiles.h"

#include "sentence/SentenceCheck.h"
#include "store/FileReports.h"
#include "store/InputFile.h"
#include "store/LastLine.h"
#include "store/SentenceAppend.h"

#include <optional>

namespace {
// Open and Save share the one dialog, so each sets all of it up before its own use.
void setUpFileDialog(FileDialog& dialog) {
    dialog.setCancelError(true);
    dialog.setFlags(FileDialog::hideReadOnly);
    dialog.setFilter("All Files (*.*)|*.*|Text Files(*.txt)|*.txt");
    dialog.setFilterIndex(2);
}

// The full path chosen, or nothing when the user cancelled or chose no name.
std::optional<std::string> askForFile(FileDialog& dialog,
                                      FileDialog::Outcome (FileDialog::*choose)()) {
    setUpFileDialog(dialog);
    if ((dialog.*choose)() == FileDialog::Outcome::cancelled || dialog.chosenPath().empty()) {
        return std::nullopt;
    }
    return dialog.chosenPath();
}

std::string quoted(const std::string& name) {
    return "\"" + name + "\"";
}

// "Loaded eq.txt: the last of 4 sentences", and what the radio would not take in the one loaded.
std::string loadedWords(const std::string& title, std::size_t lines,
                        const std::optional<std::string>& fault) {
    if (lines == 0) {
        return "Opened " + title + ": it holds no line, so the sentence box is as it was";
    }
    const std::string kind = fault ? "line" : "sentence";
    std::string said = "Loaded " + title + ": " +
                       (lines == 1 ? "its one " + kind
                                   : "the last of " + std::to_string(lines) + " " + kind + "s");
    if (fault) {
        said += ", but the radio expects " + std::string(sentenceTaken) + ": " + *fault;
    }
    return said;
}
} // namespace

SentenceFiles::SentenceFiles(ComboBox& sampleSelector, Sentence& sentence, FileDialog& dialog,
                             EventLoop& eventLoop, const SerialPort& port, NoticeBox& notices)
    : sampleSelector_(sampleSelector), sentence_(sentence), dialog_(dialog), eventLoop_(eventLoop),
      port_(port), notices_(notices) {}

// A failure ends Open at once and the user is told why. A file that cannot be read to the end
// leaves the window as it was: the box shows the sentence in the store, which Update sends.
void SentenceFiles::openPressed() {
    const auto chosen = askForFile(dialog_, &FileDialog::chooseOpenFile);
    if (!chosen) {
        return;
    }
    const std::string& name = *chosen;
    std::size_t lineCount = 0;
    std::optional<std::string> lastLine;
    std::string title;
    {
        const auto slot = slots_.claimReading();
        if (!slot) {
            notices_.report("The file " + quoted(name) +
                            " was not opened: another file is still being read");
            return;
        }
        InputFile file;
        if (const Result opened = file.open(name); !opened) {
            notices_.report(
                file_reports::notOpened(file_reports::fileNamed(name), opened.reason()));
            return;
        }
        const std::string sampleBefore = sampleSelector_.text();
        title = dialog_.chosenTitle();
        sampleSelector_.setText(title);

        // Each line replaces the box, so the last one stays; the window keeps reacting between
        // lines, and its handlers may change the box or the store meanwhile.
        const LastLine read = readLastLine(file, [this](const std::string& line) {
            sentence_.show(line);
            eventLoop_.yield();
        });
        if (!read.failure.empty()) {
            sentence_.showStored();
            // A sample chosen while the file was read stays chosen.
            if (sampleSelector_.text() == title) {
                sampleSelector_.setText(sampleBefore);
            }
            notices_.report(
                file_reports::notReadToEnd(file_reports::fileNamed(name), read.failure) +
                "; the sentence and the sample were left as they were");
            return;
        }
        lineCount = read.lineCount;
        lastLine = read.line;
    }
    // The file's last line is loaded even where a send during the last yield showed the old
    // sentence in the box; an empty file leaves the box as it was and the store takes it again.
    if (lastLine) {
        sentence_.load(*lastLine);
    } else {
        sentence_.takeShown();
    }
    notices_.announce(loadedWords(title, lineCount, sentence_.fault(sentence_.shown())));
}

// The box is saved, not the store: accepted line edits not yet sent stay out of the file, and the
// user is told so and how to bring them in.
void SentenceFiles::savePressed() {
    const auto chosen = askForFile(dialog_, &FileDialog::chooseSaveFile);
    if (!chosen) {
        return;
    }
    const std::string& name = *chosen;
    const auto slot = slots_.claimWriting();
    if (!slot) {
        notices_.report("The sentence was not saved to " + quoted(name) +
                        ": another sentence is still being saved");
        return;
    }
    const std::string sentence = sentence_.shown();
    if (const Result saved = appendSentenceLine(name, sentence); !saved) {
        notices_.report("The sentence could not be saved to " + quoted(name) + ": " +
                        saved.reason());
        return;
    }
    const auto fault = sentence_.fault(sentence);
    if (fault) {
        notices_.report("Saved to " + quoted(name) + " as it stands, but the radio expects " +
                        sentenceTaken + ": " + *fault +
                        ". Correct it in the line editor, press Accept Changes and Update, then "
                        "Save again.");
    }
    const auto unsent = sentence_.unsentLines();
    if (unsent) {
        notices_.report("Saved to " + quoted(name) +
                        " as the sentence box shows it, without the changes accepted in " +
                        *unsent +
                        (port_.isOpen() || port_.isOpening()
                             ? ": Update sends them and brings them into the box; then Save again."
                             : ": only a send brings them into the box, so press Connect, then "
                               "Update, then Save again; until then they live only in the line "
                               "editor."));
    }
    if (!fault && !unsent) {
        notices_.announce("Saved to " + dialog_.chosenTitle());
    }
}
