#include "app/MainWindow.h"
#include "settings/Keys.h"
#include "store/FileReports.h"

// Each stored value is brought back without running a handler or writing a setting. A value
// that cannot be brought back is shown in a warning only where line settings are stored, and
// start-up then ends there.
void MainWindow::startUp() {
    const std::string portText = properties::read(settings_, properties::commPort);
    const std::string lineSettings = properties::read(settings_, properties::settingsRead);
    if (const auto failure = port_.restore(portText, lineSettings);
        failure && !lineSettings.empty()) {
        messageBox_.showWarning("Sonavel", *failure);
        return;
    }

    if (const std::string sampleName = properties::read(settings_, properties::bytes);
        !sampleName.empty()) {
        sampleSelector.setText(sampleName);
    }
    if (const std::string sentence = properties::read(settings_, properties::msg);
        !sentence.empty()) {
        sentenceBox.setText(sentence);
    }
    digitStore.split(sentenceBox.text());
    lineEditor_.listLines();
    noticeBox.setText("");
    // Settings that exist but could not be read would otherwise look like a first start. Stored
    // line settings were read when start-up ends at its warning, so only a full start-up asks.
    if (const std::string problem = settings_.readProblem(); !problem.empty()) {
        noticeBox.report(file_reports::settingsNotRead(problem));
    }
}
