// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "app/MainWindow.h"
#include "settings/StoredSettings.h"

// Each stored value is brought back without running a handler or writing a setting. A value
// that cannot be brought back is shown in a warning only where line settings are stored; the
// rest is brought back all the same, since a port that cannot be used says nothing against the
// sample, the sentence or the lines.
void MainWindow::startUp() {
    const std::string portText = stored::read(settings_, stored::portNumber);
    const std::string lineSettings = stored::read(settings_, stored::lineSettings);
    if (const auto failure = port_.restore(portText, lineSettings);
        failure && !lineSettings.empty()) {
        messageBox_.showWarning("Sonavel", *failure);
    }

    if (const std::string sampleName = stored::read(settings_, stored::sampleName);
        !sampleName.empty()) {
        sampleSelector.setText(sampleName);
    }
    sentence_.load(stored::read(settings_, stored::sentence));
    lineEditor_.listLines();
    noticeBox.setText("");
    // Settings that exist but could not be read would otherwise look like a first start.
    if (const std::string problem = settings_.readProblem(); !problem.empty()) {
        noticeBox.report(stored::notReadReport(problem));
    }
}
