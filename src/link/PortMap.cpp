#include "link/PortMap.h"

#include "platform/RegistryStore.h"

namespace {

struct DeviceRange {
    std::int32_t firstPort;
    std::int32_t count;
    const char *prefix;
};

// Serial ports on the board, USB serial adapters, USB modem-class adapters,
// then pseudo-terminals (bridges and the virtual radio).
constexpr DeviceRange kRanges[] = {
    {1, 32, "/dev/ttyS"},
    {33, 32, "/dev/ttyUSB"},
    {65, 32, "/dev/ttyACM"},
    {97, 128, "/dev/pts/"},
};

} // namespace

std::string PortMap::devicePath(std::int32_t port)
{
    if (port < kFirstPort || port > kLastPort)
        return {};
    const auto path = platform::RegistryStore::readString(settingsKey(), overrideName(port));
    if (path && !path->empty())
        return *path;
    return builtInPath(port);
}

std::string PortMap::builtInPath(std::int32_t port)
{
    for (const DeviceRange &range : kRanges) {
        const std::int32_t index = port - range.firstPort;
        if (index >= 0 && index < range.count)
            return range.prefix + std::to_string(index);
    }
    return {};
}

std::int32_t PortMap::builtInNumber(const std::string &path)
{
    for (std::int32_t port = kFirstPort; port <= kLastPort; ++port) {
        if (builtInPath(port) == path)
            return port;
    }
    return 0;
}

std::string PortMap::settingsKey()
{
    return std::string(platform::RegistryStore::kRoot) + "\\Ports";
}

std::string PortMap::overrideName(std::int32_t port) { return "COM" + std::to_string(port); }
