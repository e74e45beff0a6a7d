// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/files/QtFileDialog.h"

#include "qt/Latin1Text.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QStringList patternsOf(const QString& patterns) {
    QStringList split = patterns.split(u';', Qt::SkipEmptyParts);
    for (QString& pattern : split) {
        pattern = pattern.trimmed();
    }
    return split;
}
} // namespace

QStringList QtFileDialog::nameFilters(const std::string& filter) {
    const QStringList parts = toQString(filter).split(u'|');
    QStringList filters;
    for (qsizetype at = 0; at + 1 < parts.size(); at += 2) {
        QStringList patterns = patternsOf(parts[at + 1]);
        for (QString& pattern : patterns) {
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
#ifndef Q_OS_WIN
    dialog->setOption(QFileDialog::DontUseNativeDialog);
#endif
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
        dialog->selectFile(QDir::fromNativeSeparators(QString::fromStdString(path_)));
    } else if (const QString documents =
                   QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
               QFileInfo(documents).isDir()) {
        dialog->setDirectory(documents);
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
    QString file = files.first();
    if (const QString extension = extensionOf(dialog->selectedNameFilter());
        purpose == Purpose::save && !extension.isEmpty() && QFileInfo(file).suffix().isEmpty()) {
        file += u'.' + extension;
    }
    path_ = QDir::toNativeSeparators(file).toStdString();
    title_ = QFileInfo(file).fileName().toStdString();
    return Outcome::chosen;
}

QString QtFileDialog::extensionOf(const QString& nameFilter) const {
    // Qt's dialog names the type by its description alone when the details are hidden.
    const QStringList parts = toQString(filter_).split(u'|');
    const QStringList filters = nameFilters(filter_);
    QStringList patterns;
    for (qsizetype at = 0; at < filters.size(); ++at) {
        if (filters[at] == nameFilter || parts[2 * at] == nameFilter) {
            patterns = patternsOf(parts[2 * at + 1]);
        }
    }
    const QString extension = patterns.size() == 1 && patterns[0].startsWith(QStringLiteral("*."))
                                  ? patterns[0].mid(2)
                                  : QString{};
    return extension.contains(u'*') || extension.contains(u'?') ? QString{} : extension;
}
