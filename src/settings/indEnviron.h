#pragma once

#include "settings/WindowRecord.h"
#include "settings/cmcRecent.h"

#include <cstdint>
#include <list>
#include <memory>
#include <string>

namespace platform {
class InstanceLock;
}

// The screen the main window opens on; the desktop program passes the real
// one, everything else gets this common size.
struct ScreenSize {
    int width = 1024;
    int height = 768;
};

// The program's environment: the single-instance guard and every setting
// that outlives a run. The first instance loads the settings when it is
// built and saves them when it goes away; a second instance does neither and
// keeps every field zero. Other parts of the program read and write the
// fields directly.
class indEnviron
{
public:
    // Settings written by another version carry another marker and are not
    // trusted.
    static constexpr int32_t kSettingsMarker = 753951;
    static constexpr int kRecentCapacity = 10;
    static constexpr int32_t kDefaultBackupsKept = 50;

    // The screen size only shapes the default window position.
    indEnviron(const std::string &mutexName, const std::string &settingsPath,
               const std::string &secondPath, ScreenSize screen = {});
    ~indEnviron();
    // Settings for code that runs beside the program (the command-line tool,
    // tests): no instance lock, never written back; either the defaults or
    // what the store holds.
    enum class Detached { Defaults, ReadOnlyStore };
    explicit indEnviron(Detached mode, ScreenSize screen = {});
    indEnviron(const indEnviron &) = delete;
    indEnviron &operator=(const indEnviron &) = delete;

    bool IsFirstInstance() const { return firstInstance_; }

    // The placement of a window by its name, read from the settings store on
    // first use; null when nothing complete was ever stored for it.
    WindowRecord *FindWindowRecord(const std::string &name);
    // Creates or updates the record named in `record` and makes it the most
    // recent one.
    WindowRecord *StoreWindowRecord(const WindowRecord &record);

    // Small helpers on the settings store for other folders (column widths).
    // `path` is a full key path such as "Software\Vorn\Quillon(dPMR)\Display".
    static int32_t ReadRegistryInteger(const std::string &path, const std::string &valueName);
    static bool WriteRegistryInteger(const std::string &path, int32_t number,
                                     const std::string &valueName);
    static bool DeleteRegistryKey(const std::string &path, const std::string &subkeyName);

    cmcRecent recentFiles{kRecentCapacity};
    int32_t settingsMarker = 0;
    int32_t fontSizePercentage = 0;
    bool toolbarVisible = false;
    int32_t printerFontSize = 0;
    int32_t comPort = 0;
    int32_t comSpeedHigh = 0;
    std::string ipAddress;
    int32_t tcpPort = 0;
    // 0 serial, anything else TCP.
    int32_t portSelect = 0;
    std::string clonePassword;
    bool adjustWindowOpen = false;
    std::string currentDirectory;
    int32_t windowLeft = 0;
    int32_t windowTop = 0;
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    int32_t treeWidth = 0;
    int32_t modelType = 0;
    int32_t languageNumber = 0;
    // Most recently updated first.
    std::list<WindowRecord> windowRecords;
    std::string makerPassword;
    std::string adjustPassword;
    // How many automatic copies of radio images the backups folder keeps;
    // 0 keeps none. Settings from before it existed load with the default.
    int32_t backupsKept = kDefaultBackupsKept;

    const std::string mutexName;
    const std::string settingsPath;
    const std::string secondPath;

private:
    void load();
    bool loadValues();
    void save();
    void setDefaults();
    std::string keyPath(const char *subkey) const;

    const ScreenSize screen_;
    std::unique_ptr<platform::InstanceLock> lock_;
    bool firstInstance_ = false;
    bool readOnly_ = false;
};
