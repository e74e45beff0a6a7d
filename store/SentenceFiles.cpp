#include "app/MainWindow.h"
#include "store/InputFile.h"
#include "store/LineReader.h"
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
} // namespace

// A failure ends Open at once; what was done before it stands, and the user is told why.
void MainWindow::Command8_Click() {
    const auto chosen = askForFile(CommonDialog1, &FileDialog::chooseOpenFile);
    if (!chosen) {
        return;
    }
    const std::string& name = *chosen;
    {
        const auto slot = fileSlots_.claimReading();
        if (!slot) {
            report("The file " + quoted(name) +
                   " was not opened: another file is still being read");
            return;
        }
        InputFile file;
        if (const Result opened = file.open(name); !opened) {
            report("The file " + quoted(name) + " could not be opened: " + opened.reason());
            return;
        }
        Combo1.setText(CommonDialog1.chosenTitle());

        // Each line replaces the box, so the last one stays; the window keeps reacting between
        // lines, and its handlers may change the box or the store meanwhile.
        LineReader reader(file);
        std::string line;
        LineReader::Step step;
        while ((step = reader.next(line)) == LineReader::Step::line) {
            Text1.setText(line);
            yield();
        }
        if (step == LineReader::Step::failed) {
            report("The file " + quoted(name) +
                   " could not be read to the end: " + reader.failure());
            return;
        }
    }
    chop();
}

// The box is saved, not the store: accepted line edits not yet sent stay out of the file.
void MainWindow::Command10_Click() {
    const auto chosen = askForFile(CommonDialog1, &FileDialog::chooseSaveFile);
    if (!chosen) {
        return;
    }
    const std::string& name = *chosen;
    const auto slot = fileSlots_.claimWriting();
    if (!slot) {
        report("The sentence was not saved to " + quoted(name) +
               ": another sentence is still being saved");
        return;
    }
    if (const Result saved = appendSentenceLine(name, Text1.text()); !saved) {
        report("The sentence could not be saved to " + quoted(name) + ": " + saved.reason());
    }
}

void MainWindow::mnufileopen_Click() {
    Command8_Click();
}
void MainWindow::mnufilesave_Click() {
    Command10_Click();
}
