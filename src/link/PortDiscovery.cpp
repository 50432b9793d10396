#include "link/PortDiscovery.h"

#include "link/PortMap.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <set>

namespace {

std::string canonicalPath(const std::string &path)
{
    return QFileInfo(QString::fromStdString(path)).canonicalFilePath().toStdString();
}

// Finds the present device a mapped path leads to; a by-id link and the
// device it points to are the same port.
class DeviceIndex
{
public:
    explicit DeviceIndex(const std::vector<PortDiscovery::Device> &devices) : devices_(devices)
    {
        for (const auto &device : devices)
            canonical_.push_back(canonicalPath(device.path));
    }

    const PortDiscovery::Device *find(const std::string &path) const
    {
        const std::string canonical = canonicalPath(path);
        for (std::size_t i = 0; i < devices_.size(); ++i) {
            if (devices_[i].path == path || (!canonical.empty() && canonical == canonical_[i]))
                return &devices_[i];
        }
        return nullptr;
    }

private:
    const std::vector<PortDiscovery::Device> &devices_;
    std::vector<std::string> canonical_;
};

// Ports numbered in ascending order whose mapped path passes the test.
std::vector<std::string> numbersWhere(const std::function<bool(const std::string &)> &test)
{
    std::vector<std::string> numbers;
    for (std::int32_t port = PortMap::kFirstPort; port <= PortMap::kLastPort; ++port) {
        const std::string path = PortMap::devicePath(port);
        if (!path.empty() && test(path))
            numbers.push_back(std::to_string(port));
    }
    return numbers;
}

std::string friendlyNameOf(const QSerialPortInfo &info)
{
    if (!info.description().isEmpty())
        return info.description().toStdString();
    if (!info.manufacturer().isEmpty())
        return info.manufacturer().toStdString();
    // Ports on the board carry no description of their own.
    if (info.portName().startsWith(QStringLiteral("ttyS")))
        return "Serial port";
    return {};
}

} // namespace

std::int32_t PortDiscovery::numberOfText(const std::string &text)
{
    const std::size_t start = text.compare(0, 3, "COM") == 0 ? 3 : 0;
    const long value = std::strtol(text.c_str() + start, nullptr, 10);
    return static_cast<std::int32_t>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
}

std::vector<PortDiscovery::Device> PortDiscovery::presentDevices()
{
    std::vector<Device> devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices.push_back({info.systemLocation().toStdString(), friendlyNameOf(info)});
    const QDir pts(QStringLiteral("/dev/pts"));
    for (const QString &name : pts.entryList(QDir::System | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        name.toUInt(&numeric);
        if (numeric)
            devices.push_back({pts.filePath(name).toStdString(), "Pseudo-terminal"});
    }
    return devices;
}

std::vector<std::string> PortDiscovery::registryPortNumbers()
{
    return registryPortNumbers(presentDevices());
}

std::vector<std::string> PortDiscovery::registryPortNumbers(const std::vector<Device> &devices)
{
    const DeviceIndex index(devices);
    return numbersWhere([&](const std::string &path) { return index.find(path) != nullptr; });
}

std::vector<std::string> PortDiscovery::devicePortNumbers()
{
    return devicePortNumbers(
        [](const std::string &path) { return QFileInfo::exists(QString::fromStdString(path)); });
}

std::vector<std::string>
PortDiscovery::devicePortNumbers(const std::function<bool(const std::string &)> &exists)
{
    return numbersWhere(exists);
}

std::vector<std::string> PortDiscovery::portDescriptions(const std::vector<std::string> &numbers)
{
    return portDescriptions(presentDevices(), numbers);
}

std::vector<std::string> PortDiscovery::portDescriptions(const std::vector<Device> &devices,
                                                         const std::vector<std::string> &numbers)
{
    std::set<std::int32_t> wanted;
    for (const std::string &number : numbers)
        wanted.insert(numberOfText(number));
    const DeviceIndex index(devices);
    std::vector<std::string> descriptions;
    for (const std::int32_t port : wanted) {
        const std::string path = PortMap::devicePath(port);
        const Device *device = path.empty() ? nullptr : index.find(path);
        if (device != nullptr && !device->friendlyName.empty())
            descriptions.push_back(std::to_string(port) + ": " + device->friendlyName + " (" +
                                   path + ")");
    }
    return descriptions;
}
