#include "platform/qt/serial/PortDevice.h"

#include "radio/PortLabel.h"
#include "radio/SerialDeviceOrder.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <QStringList>
#include <set>

namespace {
QString described(const QString& device, const QList<QSerialPortInfo>& present) {
    for (const QSerialPortInfo& info : present) {
        if (info.systemLocation() != device && info.portName() != device) {
            continue;
        }
        QStringList known;
        for (const QString& part : {info.description(), info.manufacturer(), info.serialNumber()}) {
            if (!part.isEmpty()) {
                known << part;
            }
        }
        if (!known.isEmpty()) {
            return device + QStringLiteral(" (") + known.join(QStringLiteral(", ")) + ')';
        }
    }
    return device;
}

std::vector<std::string> numbered(const QList<QSerialPortInfo>& present) {
    std::vector<std::string> locations;
    for (const QSerialPortInfo& info : present) {
        locations.push_back(info.systemLocation().toStdString());
    }
    return numberedSerialDevices(std::move(locations));
}

std::optional<QString> deviceFor(int number, const QString& portsFolder,
                                 const std::vector<std::string>& numberedDevices) {
    const QFileInfo link(portsFolder + QStringLiteral("/com%1").arg(number));
    if (link.isSymLink()) {
        // A dangling link still names the device the user meant, for the failure to show.
        const QString device = link.canonicalFilePath();
        return device.isEmpty() ? link.symLinkTarget() : device;
    }
    if (link.exists()) {
        return link.absoluteFilePath();
    }
    if (number < 1 || static_cast<std::size_t>(number) > numberedDevices.size()) {
        return std::nullopt;
    }
    return QString::fromStdString(numberedDevices[static_cast<std::size_t>(number) - 1]);
}
} // namespace

QString defaultPortsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Sonavel/ports");
}

QString describedDevice(const QString& device) {
    return described(device, QSerialPortInfo::availablePorts());
}

std::optional<QString> deviceForPort(int number, const QString& portsFolder) {
    return deviceFor(number, portsFolder, numbered(QSerialPortInfo::availablePorts()));
}

QString numbersWithDevices(const QString& portsFolder) {
    const QList<QSerialPortInfo> present = QSerialPortInfo::availablePorts();
    const std::vector<std::string> numberedDevices = numbered(present);
    std::set<int> numbers;
    for (int number = 1; number <= static_cast<int>(numberedDevices.size()); ++number) {
        numbers.insert(number);
    }
    const QStringList links =
        QDir(portsFolder)
            .entryList({QStringLiteral("com*")}, QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    for (const QString& link : links) {
        bool isNumber = false;
        const int number = link.mid(3).toInt(&isNumber);
        if (isNumber && number > 0) {
            numbers.insert(number);
        }
    }
    QStringList listed;
    for (const int number : numbers) {
        const std::optional<QString> device = deviceFor(number, portsFolder, numberedDevices);
        // A link whose device is unplugged leads nowhere and is no choice.
        if (device && QFileInfo::exists(*device)) {
            listed << QString::fromStdString(portLabel(number)) + QStringLiteral(" is ") +
                          described(*device, present);
        }
    }
    return listed.join(QStringLiteral(", "));
}
