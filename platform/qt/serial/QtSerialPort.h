#pragma once

#include "platform/SerialPort.h"

class QtSerialPort : public SerialPort {
public:
    void setListener(SerialPortListener* listener) override { listener_ = listener; }
    Result setPortNumber(std::int16_t number) override;
    std::int16_t portNumber() const override { return number_; }
    Result setLineSettings(const std::string& text) override;
    std::string lineSettings() const override { return "9600,n,8,1"; }
    bool isOpen() const override { return false; }
    Result setOpen(bool open) override;
    Result write(const std::string& text) override;
    std::string readInput() override { return {}; }

private:
    SerialPortListener* listener_ = nullptr;
    std::int16_t number_ = 1;
};
