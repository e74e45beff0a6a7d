#pragma once

#include "platform/FileDialog.h"

class QtFileDialog : public FileDialog {
public:
    void setCancelError(bool) override {}
    void setFlags(int) override {}
    void setFilter(const std::string&) override {}
    void setFilterIndex(int) override {}
    Outcome chooseOpenFile() override { return Outcome::cancelled; }
    Outcome chooseSaveFile() override { return Outcome::cancelled; }
    std::string chosenPath() const override { return {}; }
    std::string chosenTitle() const override { return {}; }
};
