#pragma once

#include <cstdint>
#include <string>

// Turns the COM port numbers that settings, menus and dialogs keep (1 to 256)
// into device paths. Every number has a built-in device by range; an entry
// "COM<n>" in the settings group "Ports" names another path for that number
// (a /dev/serial/by-id link that survives re-plugging, or the pseudo-terminal
// of a bridge or of the virtual radio).
class PortMap
{
public:
    static constexpr std::int32_t kFirstPort = 1;
    static constexpr std::int32_t kLastPort = 256;

    // The device for a port number, the override read from the settings now;
    // empty when the number reaches nothing.
    static std::string devicePath(std::int32_t port);
    // The built-in device of a number, ignoring overrides.
    static std::string builtInPath(std::int32_t port);
    // The number whose built-in device is this path; 0 when there is none.
    static std::int32_t builtInNumber(const std::string &path);

    // Settings key and value name of an override.
    static std::string settingsKey();
    static std::string overrideName(std::int32_t port);
};
