#include "settings/indEnviron.h"

#include "platform/HexDigits.h"
#include "platform/InstanceLock.h"
#include "platform/RegistryStore.h"

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <string_view>

using platform::RegistryStore;

namespace {

enum class Kind { Number, Flag, Text, Password, RecentList, WindowRecords };

// One stored value (or group of values) of the environment, in the order the
// settings are read and written. Rows marked saveOnly are written but never
// read back here.
struct Setting {
    const char *subkey;
    const char *name;
    Kind kind;
    int32_t indEnviron::*number = nullptr;
    bool indEnviron::*flag = nullptr;
    std::string indEnviron::*text = nullptr;
    int32_t low = INT32_MIN;
    int32_t high = INT32_MAX;
    // A password that was never stored reads as this.
    const char *missingText = "";
    bool saveOnly = false;
    // A newer setting: its absence keeps the default instead of making the
    // whole store untrusted.
    bool optional = false;
};

const char *const kGlobal = "Global";
const char *const kViewOption = "View Option";
const char *const kWindowPosition = "Window Position";
const char *const kSetup = "Setup";
const char *const kPassword = "Password";
const char *const kEditForm = "EditForm Position";
const char *const kMakerPasswordDefault = "lantern";

// "Language" is written twice, before and after the window records, as it
// always has been; loading reads it once.
const Setting kSettings[] = {
    {.subkey = kGlobal, .name = "BBT", .kind = Kind::Number, .number = &indEnviron::settingsMarker},
    {.subkey = kGlobal,
     .name = "ComPort",
     .kind = Kind::Number,
     .number = &indEnviron::comPort,
     .low = 1,
     .high = 256},
    {.subkey = kGlobal,
     .name = "ComSpeedHigh",
     .kind = Kind::Number,
     .number = &indEnviron::comSpeedHigh,
     .low = 0,
     .high = 1},
    {.subkey = kGlobal,
     .name = "Current Directory",
     .kind = Kind::Text,
     .text = &indEnviron::currentDirectory},
    {.subkey = kGlobal, .name = "IpAddress", .kind = Kind::Text, .text = &indEnviron::ipAddress},
    {.subkey = kGlobal, .name = "TcpipPort", .kind = Kind::Number, .number = &indEnviron::tcpPort},
    {.subkey = kGlobal,
     .name = "PortSelect",
     .kind = Kind::Number,
     .number = &indEnviron::portSelect},
    {.subkey = "Recent File List", .name = "Recent", .kind = Kind::RecentList},
    {.subkey = kViewOption,
     .name = "FontSize Percentage",
     .kind = Kind::Number,
     .number = &indEnviron::fontSizePercentage,
     .low = 25,
     .high = 1000},
    {.subkey = kViewOption,
     .name = "Toolbar Visible",
     .kind = Kind::Flag,
     .flag = &indEnviron::toolbarVisible},
    {.subkey = kViewOption,
     .name = "FontSize Printer",
     .kind = Kind::Number,
     .number = &indEnviron::printerFontSize,
     .low = 8,
     .high = 12},
    {.subkey = kWindowPosition,
     .name = "Left",
     .kind = Kind::Number,
     .number = &indEnviron::windowLeft},
    {.subkey = kWindowPosition,
     .name = "Top",
     .kind = Kind::Number,
     .number = &indEnviron::windowTop},
    {.subkey = kWindowPosition,
     .name = "Width",
     .kind = Kind::Number,
     .number = &indEnviron::windowWidth},
    {.subkey = kWindowPosition,
     .name = "Height",
     .kind = Kind::Number,
     .number = &indEnviron::windowHeight},
    {.subkey = kWindowPosition,
     .name = "SplitterV",
     .kind = Kind::Number,
     .number = &indEnviron::treeWidth},
    {.subkey = kSetup, .name = "ModelType", .kind = Kind::Number, .number = &indEnviron::modelType},
    {.subkey = kSetup,
     .name = "Language",
     .kind = Kind::Number,
     .number = &indEnviron::languageNumber},
    {.subkey = kEditForm, .name = "", .kind = Kind::WindowRecords, .saveOnly = true},
    {.subkey = kSetup,
     .name = "Language",
     .kind = Kind::Number,
     .number = &indEnviron::languageNumber,
     .saveOnly = true},
    {.subkey = kPassword,
     .name = "MakerReserveMode",
     .kind = Kind::Password,
     .text = &indEnviron::makerPassword,
     .missingText = kMakerPasswordDefault},
    {.subkey = kPassword,
     .name = "AdjustMode",
     .kind = Kind::Password,
     .text = &indEnviron::adjustPassword},
    {.subkey = "Backups",
     .name = "Keep",
     .kind = Kind::Number,
     .number = &indEnviron::backupsKept,
     .low = 0,
     .high = 100000,
     .optional = true},
};

// The stored parts of a window record, in the order they are written.
struct PlacementValue {
    const char *suffix;
    int32_t WindowRecord::*field;
};

const std::array<PlacementValue, 5> kPlacementValues = {{
    {"Left", &WindowRecord::left},
    {"Top", &WindowRecord::top},
    {"Width", &WindowRecord::width},
    {"Height", &WindowRecord::height},
    {"WindowState", &WindowRecord::state},
}};

std::string placementValueName(const std::string &window, const char *suffix)
{
    return window + "_" + suffix;
}

// "Recent0" … "Recent9".
std::string recentValueName(const char *prefix, int index)
{
    return prefix + std::to_string(index);
}

// Passwords are stored as hexadecimal byte codes so that the text is not
// readable at a glance; "00" stands for the empty password.
std::string encodePassword(const std::string &text)
{
    if (text.empty())
        return "00";
    static const char digits[] = "0123456789ABCDEF";
    std::string stored;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        stored += digits[byte >> 4];
        stored += digits[byte & 0x0F];
    }
    return stored;
}

// Two digits per character; a lone last digit is a character of its own.
std::optional<std::string> decodePassword(const std::string &stored)
{
    if (stored == "00")
        return std::string();
    std::string text;
    for (size_t i = 0; i < stored.size(); i += 2) {
        const auto code = platform::hexNumber(std::string_view(stored).substr(i, 2));
        if (!code)
            return std::nullopt;
        text += static_cast<char>(*code);
    }
    return text;
}

std::optional<int32_t> readNumber(const std::string &key, const std::string &name)
{
    const auto value = RegistryStore::readInteger(key, name);
    if (!value)
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

bool loadSetting(indEnviron &env, const Setting &setting, const std::string &key)
{
    switch (setting.kind) {
    case Kind::Number: {
        const auto value = readNumber(key, setting.name);
        if (value)
            env.*setting.number = std::clamp(*value, setting.low, setting.high);
        return value.has_value() || setting.optional;
    }
    case Kind::Flag: {
        const auto value = readNumber(key, setting.name);
        if (value)
            env.*setting.flag = *value != 0;
        return value.has_value();
    }
    case Kind::Text:
        env.*setting.text = RegistryStore::readString(key, setting.name).value_or("");
        return true;
    case Kind::Password: {
        const std::string stored = RegistryStore::readString(key, setting.name).value_or("");
        const std::optional<std::string> text =
            stored.empty() ? std::string(setting.missingText) : decodePassword(stored);
        if (text)
            env.*setting.text = *text;
        return text.has_value();
    }
    case Kind::RecentList:
        for (int i = 0; i < indEnviron::kRecentCapacity; ++i)
            env.recentFiles.addToEnd(
                RegistryStore::readString(key, recentValueName(setting.name, i)).value_or(""));
        return true;
    case Kind::WindowRecords:
        break;
    }
    return true;
}

bool saveWindowRecords(const indEnviron &env, const std::string &key)
{
    for (const WindowRecord &record : env.windowRecords) {
        for (const PlacementValue &value : kPlacementValues) {
            if (!RegistryStore::writeInteger(key, placementValueName(record.name, value.suffix),
                                             static_cast<uint32_t>(record.*value.field)))
                return false;
        }
    }
    return true;
}

bool saveSetting(const indEnviron &env, const Setting &setting, const std::string &key)
{
    switch (setting.kind) {
    case Kind::Number:
        return RegistryStore::writeInteger(key, setting.name,
                                           static_cast<uint32_t>(env.*setting.number));
    case Kind::Flag:
        return RegistryStore::writeInteger(key, setting.name, env.*setting.flag ? 1 : 0);
    case Kind::Text:
        return RegistryStore::writeString(key, setting.name, env.*setting.text);
    case Kind::Password:
        return RegistryStore::writeString(key, setting.name, encodePassword(env.*setting.text));
    case Kind::RecentList:
        for (int i = 0; i < indEnviron::kRecentCapacity; ++i) {
            if (!RegistryStore::writeString(key, recentValueName(setting.name, i),
                                            env.recentFiles.displayText(i, "")))
                return false;
        }
        return true;
    case Kind::WindowRecords:
        return saveWindowRecords(env, key);
    }
    return false;
}

} // namespace

indEnviron::indEnviron(const std::string &mutexName_, const std::string &settingsPath_,
                       const std::string &secondPath_, ScreenSize screen)
    : mutexName(mutexName_), settingsPath(settingsPath_), secondPath(secondPath_), screen_(screen),
      lock_(std::make_unique<platform::InstanceLock>(mutexName_)),
      firstInstance_(lock_->isFirstInstance())
{
    if (firstInstance_)
        load();
}

indEnviron::indEnviron(Detached mode, ScreenSize screen)
    : mutexName(), settingsPath(platform::RegistryStore::kRoot), secondPath(settingsPath),
      screen_(screen), firstInstance_(true), readOnly_(true)
{
    if (mode == Detached::ReadOnlyStore)
        load();
    else
        setDefaults();
}

indEnviron::~indEnviron()
{
    save();
    if (lock_)
        lock_->release();
}

WindowRecord *indEnviron::FindWindowRecord(const std::string &name)
{
    const auto found = std::find_if(windowRecords.begin(), windowRecords.end(),
                                    [&](const WindowRecord &r) { return r.name == name; });
    if (found != windowRecords.end())
        return &*found;
    if (settingsMarker != kSettingsMarker)
        return nullptr;
    WindowRecord record;
    record.name = name;
    const std::string key = keyPath(kEditForm);
    for (const PlacementValue &value : kPlacementValues) {
        const auto stored = readNumber(key, placementValueName(name, value.suffix));
        if (!stored)
            return nullptr;
        record.*value.field = *stored;
    }
    windowRecords.push_front(record);
    return &windowRecords.front();
}

WindowRecord *indEnviron::StoreWindowRecord(const WindowRecord &record)
{
    const auto found = std::find_if(windowRecords.begin(), windowRecords.end(),
                                    [&](const WindowRecord &r) { return r.name == record.name; });
    if (found != windowRecords.end()) {
        *found = record;
        windowRecords.splice(windowRecords.begin(), windowRecords, found);
    } else {
        windowRecords.push_front(record);
    }
    return &windowRecords.front();
}

int32_t indEnviron::ReadRegistryInteger(const std::string &path, const std::string &valueName)
{
    return readNumber(path, valueName).value_or(-1);
}

bool indEnviron::WriteRegistryInteger(const std::string &path, int32_t number,
                                      const std::string &valueName)
{
    return RegistryStore::writeInteger(path, valueName, static_cast<uint32_t>(number));
}

bool indEnviron::DeleteRegistryKey(const std::string &path, const std::string &subkeyName)
{
    return RegistryStore::deleteKey(path, subkeyName);
}

void indEnviron::load()
{
    // One missing number or unreadable password means the store cannot be
    // trusted as a whole, so nothing of it is kept.
    if (!loadValues() || settingsMarker != kSettingsMarker)
        setDefaults();
}

bool indEnviron::loadValues()
{
    for (const Setting &setting : kSettings) {
        if (!setting.saveOnly && !loadSetting(*this, setting, keyPath(setting.subkey)))
            return false;
    }
    return true;
}

void indEnviron::save()
{
    // A second instance, or one whose settings never loaded, must not
    // overwrite what the first instance keeps.
    if (readOnly_ || !firstInstance_ || settingsMarker != kSettingsMarker)
        return;
    for (const Setting &setting : kSettings) {
        if (!saveSetting(*this, setting, keyPath(setting.subkey)))
            return;
    }
}

void indEnviron::setDefaults()
{
    recentFiles.clear();
    settingsMarker = kSettingsMarker;
    fontSizePercentage = 100;
    toolbarVisible = true;
    printerFontSize = 10;
    comPort = 1;
    comSpeedHigh = 1;
    ipAddress = "192.168.0.11";
    tcpPort = 41000;
    portSelect = 0;
    clonePassword.clear();
    adjustWindowOpen = false;
    currentDirectory.clear();
    // Integer arithmetic keeps the truncation exact: 90 % of the screen, at
    // most 800 x 600, centred across and 30 % of the spare height down.
    windowWidth = std::min(screen_.width * 9 / 10, 800);
    windowHeight = std::min(screen_.height * 9 / 10, 600);
    windowLeft = (screen_.width - windowWidth) / 2;
    windowTop = (screen_.height - windowHeight) * 3 / 10;
    treeWidth = 200;
    modelType = 1;
    languageNumber = 0;
    windowRecords.clear();
    makerPassword = kMakerPasswordDefault;
    adjustPassword.clear();
    backupsKept = kDefaultBackupsKept;
}

std::string indEnviron::keyPath(const char *subkey) const { return settingsPath + "\\" + subkey; }
