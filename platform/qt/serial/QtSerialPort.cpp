#include "platform/qt/serial/QtSerialPort.h"

Result QtSerialPort::setPortNumber(std::int16_t number) {
    number_ = number;
    return Result::success();
}
Result QtSerialPort::setLineSettings(const std::string&) { return Result::success(); }
Result QtSerialPort::setOpen(bool) { return Result::failure("not built yet"); }
Result QtSerialPort::write(const std::string&) { return Result::failure("not built yet"); }
