#include "app/MainWindow.h"
#include "app/StoredPortNumber.h"
#include "store/Properties.h"

#include <optional>

namespace {
const std::string notice = "";
const std::string messageCaption = "Sonavel";

// Settings that exist but could not be read would otherwise look like a first start. Stored
// line settings were read when start-up ends at its warning, so only a full start-up asks.
void reportUnreadSettings(MainWindow& window, SettingsStore& settings) {
    if (const std::string problem = settings.readProblem(); !problem.empty()) {
        window.report("The settings were not read, so the defaults are used: " + problem + ".");
    }
}
} // namespace

// Each step carries on past a failure; the last failure is shown only if stored line settings
// are found, and then start-up ends there.
void MainWindow::Form_Load() {
    std::optional<std::string> lastFailure;

    const std::string portText = properties::read(settings_, properties::commPort);
    if (!portText.empty()) {
        const StoredPortNumber parsed = parseStoredPortNumber(portText);
        if (!parsed.number) {
            lastFailure = parsed.failure;
        } else if (const Result set = MSComm1.setPortNumber(*parsed.number); !set) {
            lastFailure = set.reason();
        }
        Combo2.setText("Com " + portText);
    }

    const std::string lineSettings = properties::read(settings_, properties::settingsRead);
    if (!lineSettings.empty()) {
        if (const Result set = MSComm1.setLineSettings(lineSettings); !set) {
            lastFailure = set.reason();
        }
        if (lastFailure) {
            messageBox_.showWarning(messageCaption, *lastFailure);
            return;
        }
        if (const auto comma = lineSettings.find(','); comma != std::string::npos) {
            Combo3.setText(lineSettings.substr(0, comma));
        }
    }

    if (const std::string sampleName = properties::read(settings_, properties::bytes);
        !sampleName.empty()) {
        Combo1.setText(sampleName);
    }
    if (const std::string sentence = properties::read(settings_, properties::msg);
        !sentence.empty()) {
        Text1.setText(sentence);
    }
    chop();

    for (int line = 1; line <= 16; ++line) {
        const int entry = Combo4.addItem((line < 10 ? "0" : "") + std::to_string(line));
        Combo4.setItemData(entry, line);
    }
    Text4.setText(notice);
    reportUnreadSettings(*this, settings_);
}

void MainWindow::Command1_Click() {
    close();
}

void MainWindow::mnuFileExit_Click() {
    Command1_Click();
}
