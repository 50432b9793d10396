#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The lists the COM port dialog offers, built afresh each time a list drops
// down. Port numbers are the ones the port map reaches (1 to 256); every list
// is sorted by number and holds texts.
class PortDiscovery
{
public:
    struct Device {
        std::string path;
        std::string friendlyName;
    };

    // The numbers of the serial devices present now.
    static std::vector<std::string> registryPortNumbers();
    // The numbers whose device path exists.
    static std::vector<std::string> devicePortNumbers();
    // "n: friendly name (device path)" for the present devices that carry a
    // friendly name and whose number is in the list given.
    static std::vector<std::string> portDescriptions(const std::vector<std::string> &numbers);

    // "COM12" and "12: USB serial" both give 12: the decimal number after a
    // leading "COM", else at the start of the text (0 when there is none).
    static std::int32_t numberOfText(const std::string &text);

    // Serial adapters and board ports the system reports, then the
    // pseudo-terminals in /dev/pts.
    static std::vector<Device> presentDevices();

    // The lists above, from the devices given and a test for a path's
    // existence.
    static std::vector<std::string> registryPortNumbers(const std::vector<Device> &devices);
    static std::vector<std::string>
    devicePortNumbers(const std::function<bool(const std::string &)> &exists);
    static std::vector<std::string> portDescriptions(const std::vector<Device> &devices,
                                                     const std::vector<std::string> &numbers);
};
