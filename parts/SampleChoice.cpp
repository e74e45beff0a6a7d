#include "parts/SampleChoice.h"

#include "sentence/Samples.h"
#include "settings/Keys.h"

SampleChoice::SampleChoice(Controls controls, SettingsStore& settings, NoticeBox& notices)
    : controls_(controls), settings_(settings), notices_(notices) {}

std::vector<ComboBox::Item> SampleChoice::sampleItems() {
    std::vector<ComboBox::Item> items;
    for (const auto& sample : samples::table) {
        items.push_back({std::string(sample.name), 0});
    }
    return items;
}

// The box and the store keep the chosen sample even when it cannot be remembered; each
// failed write is told to the user and the next one is still tried.
void SampleChoice::sampleChosen() {
    TextBox& box = controls_.sentenceBox;
    box.setText("");
    const int index = controls_.sampleSelector.listIndex();
    if (index >= 0 && index < static_cast<int>(samples::table.size())) {
        box.setText(std::string(samples::table[index].sentence));
    }
    if (box.text().size() == HexDigits::cellCount) {
        controls_.digitStore.split(box.text());
    }

    const std::string name = index >= 0 ? controls_.sampleSelector.itemText(index) : std::string{};
    for (const auto& [key, value] :
         {std::pair{properties::bytes, name}, std::pair{properties::msg, box.text()}}) {
        if (const Result written = properties::write(settings_, key, value); !written) {
            notices_.report("The sample choice could not be remembered: " + written.reason());
        }
    }
}
