#include "platform/qt/serial/PortDevice.h"

#include "radio/SerialDeviceOrder.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStandardPaths>

QString defaultPortsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Sonavel/ports");
}

#ifdef Q_OS_WIN
std::optional<QString> deviceForPort(int number, const QString&) {
    return QStringLiteral("COM%1").arg(number);
}
#else
std::optional<QString> deviceForPort(int number, const QString& portsFolder) {
    const QFileInfo link(portsFolder + QStringLiteral("/com%1").arg(number));
    if (link.isSymLink()) {
        // A dangling link still names the device the user meant, for the failure to show.
        const QString device = link.canonicalFilePath();
        return device.isEmpty() ? link.symLinkTarget() : device;
    }
    if (link.exists()) {
        return link.absoluteFilePath();
    }

    std::vector<std::string> present;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        present.push_back(info.systemLocation().toStdString());
    }
    const std::vector<std::string> numbered = numberedSerialDevices(std::move(present));
    if (number < 1 || static_cast<std::size_t>(number) > numbered.size()) {
        return std::nullopt;
    }
    return QString::fromStdString(numbered[static_cast<std::size_t>(number) - 1]);
}
#endif
