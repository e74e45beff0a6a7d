// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/files/QtFileDialog.h"

#include "qt/Latin1Text.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

QStringList QtFileDialog::nameFilters(const std::string& filter) {
    const QStringList parts = toQString(filter).split(u'|');
    QStringList filters;
    for (qsizetype at = 0; at + 1 < parts.size(); at += 2) {
        QStringList patterns = parts[at + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            // "*.*" traditionally means every file; Qt would skip names without a dot.
            if (pattern == u"*.*") {
                pattern = QStringLiteral("*");
            }
        }
        filters << parts[at] + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters;
}

std::unique_ptr<QFileDialog> QtFileDialog::makeDialog(Purpose purpose, QWidget* parent) const {
    auto dialog = std::make_unique<QFileDialog>(parent);
    const bool saving = purpose == Purpose::save;
    dialog->setWindowTitle(saving ? QStringLiteral("Save") : QStringLiteral("Open"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // The patterns travel in the filter text; the list shows the descriptions as given.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    // Save appends, so choosing an existing file is the usual case, not a risk to ask about.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A name that does not exist is still a choice; Open then reports that it cannot open it.
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QString());

    const QStringList filters = nameFilters(filter_);
    if (!filters.isEmpty()) {
        dialog->setNameFilters(filters);
        if (filterIndex_ >= 1 && filterIndex_ <= filters.size()) {
            dialog->selectNameFilter(filters[filterIndex_ - 1]);
        }
    }
    if (!path_.empty()) {
        dialog->selectFile(QFile::decodeName(QByteArray::fromStdString(path_)));
    }
    return dialog;
}

QtFileDialog::Outcome QtFileDialog::choose(Purpose purpose) {
    const auto dialog = makeDialog(purpose, QApplication::activeWindow());
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const QStringList files = dialog->selectedFiles();
    if (!accepted || files.isEmpty()) {
        if (cancelError_) {
            return Outcome::cancelled;
        }
        // Without cancel reporting, a cancel is a choice of no file.
        path_.clear();
        title_.clear();
        return Outcome::chosen;
    }
    path_ = QFile::encodeName(files.first()).toStdString();
    title_ = fromQString(QFileInfo(files.first()).fileName());
    return Outcome::chosen;
}
