#pragma once

#include <QString>
#include <optional>

// The ports folder beside the settings file, where "com<N>" links pin a number to a device.
QString defaultPortsFolder();

// The device that Com number opens: the target of the link "com<number>" in portsFolder when
// there is one, else the number-th serial device present; nullopt when there is none.
std::optional<QString> deviceForPort(int number, const QString& portsFolder);
