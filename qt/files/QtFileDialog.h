// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/FileDialog.h"

#include <QStringList>
#include <memory>

class QFileDialog;
class QWidget;

// The file dialog: Windows' own on Windows, where users expect its places and Quick access, and
// Qt's widget dialog elsewhere, so that it looks and behaves the same on every desktop. It starts
// in the Documents folder, then at the file chosen last. A new dialog is made for each choice
// from the settings last made.
class QtFileDialog : public FileDialog {
public:
    enum class Purpose { open, save };

    void setCancelError(bool reportCancel) override { cancelError_ = reportCancel; }
    // Qt's dialog has no read-only check box, the one thing the program's flag asks about.
    void setFlags(int) override {}
    void setFilter(const std::string& filter) override { filter_ = filter; }
    void setFilterIndex(int index) override { filterIndex_ = index; }

    Outcome chooseOpenFile() override { return choose(Purpose::open); }
    Outcome chooseSaveFile() override { return choose(Purpose::save); }
    // The system's name, with its separators, for opening and for showing; in the text file type a
    // name saved without an extension has the type's.
    std::string chosenPath() const override { return path_; }
    // The name without its folder, for showing.
    std::string chosenTitle() const override { return title_; }

    // The dialog the next choice would show, set up but not shown.
    std::unique_ptr<QFileDialog> makeDialog(Purpose purpose, QWidget* parent = nullptr) const;

    // "Description|patterns|..." in Qt's form "Description (patterns)".
    static QStringList nameFilters(const std::string& filter);

private:
    Outcome choose(Purpose purpose);
    // "txt" when the chosen file type is "*.txt" alone; empty when it has no single extension.
    QString extensionOf(const QString& nameFilter) const;

    bool cancelError_ = false;
    std::string filter_;
    int filterIndex_ = 0;
    std::string path_;
    std::string title_;
};
