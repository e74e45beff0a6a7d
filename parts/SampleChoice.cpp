// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "parts/SampleChoice.h"

#include "sentence/Samples.h"
#include "settings/StoredSettings.h"

SampleChoice::SampleChoice(ComboBox& sampleSelector, Sentence& sentence, SettingsStore& settings,
                           NoticeBox& notices)
    : sampleSelector_(sampleSelector), sentence_(sentence), settings_(settings), notices_(notices) {
}

std::vector<ComboBox::Item> SampleChoice::sampleItems() {
    std::vector<ComboBox::Item> items;
    for (const auto& sample : samples::table) {
        items.push_back({std::string(sample.name), 0});
    }
    return items;
}

// The sentence keeps the chosen sample even when it cannot be remembered; each failed write is
// told to the user and the next one is still tried.
void SampleChoice::sampleChosen() {
    const int index = sampleSelector_.listIndex();
    if (index < 0 || index >= static_cast<int>(samples::table.size())) {
        return;
    }
    sentence_.load(std::string(samples::table[index].sentence));
    for (const auto& [setting, value] :
         {std::pair{&stored::sampleName, sampleSelector_.itemText(index)},
          std::pair{&stored::sentence, sentence_.shown()}}) {
        if (const Result written = stored::write(settings_, *setting, value); !written) {
            notices_.report("The sample choice could not be remembered: " + written.reason());
        }
    }
}
