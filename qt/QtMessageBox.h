#pragma once

#include "platform/MessageBox.h"

class QtMessageBox : public MessageBox {
public:
    void showWarning(const std::string& caption, const std::string& text) override;
};
