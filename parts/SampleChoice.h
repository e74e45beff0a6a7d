// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/ComboBox.h"
#include "controls/NoticeBox.h"
#include "parts/Sentence.h"
#include "platform/SettingsStore.h"

#include <vector>

// The sample selector: a chosen sample is loaded into the sentence, and is remembered for the
// next start.
class SampleChoice {
public:
    SampleChoice(ComboBox& sampleSelector, Sentence& sentence, SettingsStore& settings,
                 NoticeBox& notices);

    // The selector's list of the built-in samples.
    static std::vector<ComboBox::Item> sampleItems();

    void sampleChosen();

private:
    ComboBox& sampleSelector_;
    Sentence& sentence_;
    SettingsStore& settings_;
    NoticeBox& notices_;
};
