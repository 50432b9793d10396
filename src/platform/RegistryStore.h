#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The per-user settings store, shaped like the registry hive the settings
// were designed for: keys are backslash paths ("Software\Vorn\...\Global"),
// values are named DWORDs or strings, and a missing value is never the same
// as a zero. Backed by one INI file through QSettings; the program's root
// path maps to the top of that file and subkeys become nested groups.
class RegistryStore
{
public:
    static constexpr const char *kRoot = "Software\\Vorn\\Quillon(dPMR)";

    static std::optional<uint32_t> readInteger(const std::string &keyPath, const std::string &name);
    static std::optional<std::string> readString(const std::string &keyPath,
                                                 const std::string &name);
    static bool writeInteger(const std::string &keyPath, const std::string &name, uint32_t value);
    static bool writeString(const std::string &keyPath, const std::string &name,
                            const std::string &value);
    // Removes the subkey with everything below it; false when it did not exist.
    static bool deleteKey(const std::string &keyPath, const std::string &subkey);
    static bool keyExists(const std::string &keyPath);

    // The file behind the store; tests point it at a temporary file.
    static std::string backingFile();
    static void setBackingFile(const std::string &path);
};

} // namespace platform
