#include "app/MainWindow.h"
#include "sentence/Samples.h"
#include "store/Properties.h"

// The box and the store keep the chosen sample even when it cannot be remembered; each
// failed write is told to the user and the next one is still tried.
void MainWindow::Combo1_Click() {
    Text1.setText("");
    const int index = Combo1.listIndex();
    if (index >= 0 && index < static_cast<int>(samples::table.size())) {
        Text1.setText(std::string(samples::table[index].sentence));
    }
    if (Text1.text().size() == HexDigits::cellCount) {
        chop();
    }

    const std::string name = index >= 0 ? Combo1.itemText(index) : std::string{};
    for (const auto& [key, value] :
         {std::pair{properties::bytes, name}, std::pair{properties::msg, Text1.text()}}) {
        if (const Result written = properties::write(settings_, key, value); !written) {
            report("The sample choice could not be remembered: " + written.reason());
        }
    }
}
