#pragma once

#include <QString>
#include <optional>

// The device that Com number opens: the target of the link "com<number>" in portsFolder when
// there is one, else the number-th serial device present; nullopt when there is none.
std::optional<QString> deviceForPort(int number, const QString& portsFolder);

// The device with what the system knows of it, for the user to recognise the adapter:
// "/dev/ttyUSB0 (FT232R USB UART, FTDI, A50285BI)", or the path alone.
QString describedDevice(const QString& device);

// Every number that opens a device present, as "Com 1 is /dev/ttyUSB0 (...), Com 3 is
// /dev/ttyS0"; empty when no number does.
QString numbersWithDevices(const QString& portsFolder);
