#pragma once

#include "controls/ComboBox.h"
#include "controls/NoticeBox.h"
#include "controls/TextBox.h"
#include "platform/SettingsStore.h"
#include "sentence/HexDigits.h"

// The sample selector: a chosen sample fills the sentence box and the digit store, and is
// remembered for the next start.
class SampleChoice {
public:
    struct Controls {
        ComboBox& sampleSelector;
        TextBox& sentenceBox;
        HexDigits& digitStore;
    };

    SampleChoice(Controls controls, SettingsStore& settings, NoticeBox& notices);

    // The selector's list of the built-in samples.
    static std::vector<ComboBox::Item> sampleItems();

    void sampleChosen();

private:
    Controls controls_;
    SettingsStore& settings_;
    NoticeBox& notices_;
};
