#include "settings/indEnviron.h"

#include "platform/RegistryStore.h"
#include "support/TestPaths.h"

#include <QSettings>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

using platform::RegistryStore;

namespace {

const char *const kMutex = "Vorn Quillon(dPMR) APP Exclusive Mutex";
const std::string kRoot = RegistryStore::kRoot;

std::string key(const std::string &subkey) { return kRoot + "\\" + subkey; }

std::unique_ptr<indEnviron> makeEnviron(ScreenSize screen = {})
{
    return std::make_unique<indEnviron>(kMutex, kRoot, kRoot, screen);
}

// Every stored setting, for comparing whole states. The recent list is taken
// as it is saved, ten values, because a list read back from the store may end
// in one empty entry that shows and saves like no entry at all.
struct Snapshot {
    std::vector<std::string> recent;
    int32_t marker, fontSize, printerFont, comPort, speedHigh, tcpPort, portSelect;
    bool toolbar;
    std::string ip, directory, maker, adjust;
    int32_t left, top, width, height, tree, modelType, language;

    bool operator==(const Snapshot &) const = default;
};

Snapshot snapshotOf(indEnviron &env)
{
    Snapshot s;
    for (int i = 0; i < indEnviron::kRecentCapacity; ++i)
        s.recent.push_back(env.recentFiles.displayText(i, ""));
    s.marker = env.settingsMarker;
    s.fontSize = env.fontSizePercentage;
    s.printerFont = env.printerFontSize;
    s.comPort = env.comPort;
    s.speedHigh = env.comSpeedHigh;
    s.tcpPort = env.tcpPort;
    s.portSelect = env.portSelect;
    s.toolbar = env.toolbarVisible;
    s.ip = env.ipAddress;
    s.directory = env.currentDirectory;
    s.maker = env.makerPassword;
    s.adjust = env.adjustPassword;
    s.left = env.windowLeft;
    s.top = env.windowTop;
    s.width = env.windowWidth;
    s.height = env.windowHeight;
    s.tree = env.treeWidth;
    s.modelType = env.modelType;
    s.language = env.languageNumber;
    return s;
}

Snapshot defaults()
{
    Snapshot s{};
    s.recent.resize(10);
    s.marker = 753951;
    s.fontSize = 100;
    s.printerFont = 10;
    s.comPort = 1;
    s.speedHigh = 1;
    s.tcpPort = 41000;
    s.portSelect = 0;
    s.toolbar = true;
    s.ip = "192.168.0.11";
    s.maker = "lantern";
    s.left = 112;
    s.top = 50;
    s.width = 800;
    s.height = 600;
    s.tree = 200;
    s.modelType = 1;
    s.language = 0;
    return s;
}

const Snapshot kDefaults = defaults();

void PrintTo(const Snapshot &s, std::ostream *out)
{
    for (const std::string &path : s.recent)
        *out << '"' << path << "\" ";
    *out << "marker " << s.marker << " font " << s.fontSize << " printer " << s.printerFont
         << " com " << s.comPort << " high " << s.speedHigh << " tcp " << s.tcpPort << " select "
         << s.portSelect << " toolbar " << s.toolbar << " ip " << s.ip << " dir " << s.directory
         << " maker " << s.maker << " adjust " << s.adjust << " window " << s.left << ',' << s.top
         << ',' << s.width << ',' << s.height << " tree " << s.tree << " model " << s.modelType
         << " language " << s.language;
}

// Settings far from every default, so that a reset shows in each field.
void changeEverything(indEnviron &env)
{
    env.recentFiles.addToFront("/clones/old.vrc");
    env.recentFiles.addToFront("/clones/new.vrc");
    env.fontSizePercentage = 150;
    env.printerFontSize = 9;
    env.comPort = 7;
    env.comSpeedHigh = 0;
    env.tcpPort = 4001;
    env.portSelect = 1;
    env.toolbarVisible = false;
    env.ipAddress = "10.0.0.5";
    env.currentDirectory = "/home/tech/clones";
    env.makerPassword = "secret";
    env.adjustPassword = "adj";
    env.windowLeft = -20;
    env.windowTop = 30;
    env.windowWidth = 700;
    env.windowHeight = 500;
    env.treeWidth = 250;
    env.modelType = 0;
    env.languageNumber = 2;
}

// Runs a first instance that changes every setting and saves at its end.
Snapshot storeChangedSettings()
{
    auto env = makeEnviron();
    changeEverything(*env);
    return snapshotOf(*env);
}

void removeValue(const testing_support::ScopedSettingsSandbox &sandbox, const std::string &subkey,
                 const std::string &name)
{
    QSettings store(QString::fromStdString(sandbox.settingsFile()), QSettings::IniFormat);
    store.remove(QString::fromStdString(subkey + "/" + name));
}

class EnvironTest : public ::testing::Test
{
protected:
    testing_support::ScopedSettingsSandbox sandbox;
};

TEST_F(EnvironTest, FirstStartGivesDefaultsAndWritesTheWholeKey)
{
    {
        auto env = makeEnviron();
        ASSERT_TRUE(env->IsFirstInstance());
        EXPECT_EQ(snapshotOf(*env), kDefaults);
        EXPECT_TRUE(env->windowRecords.empty());
    }
    const std::vector<std::pair<std::string, std::string>> numbers = {
        {"Global", "BBT"},
        {"Global", "ComPort"},
        {"Global", "ComSpeedHigh"},
        {"Global", "TcpipPort"},
        {"Global", "PortSelect"},
        {"View Option", "FontSize Percentage"},
        {"View Option", "Toolbar Visible"},
        {"View Option", "FontSize Printer"},
        {"Window Position", "Left"},
        {"Window Position", "Top"},
        {"Window Position", "Width"},
        {"Window Position", "Height"},
        {"Window Position", "SplitterV"},
        {"Setup", "ModelType"},
        {"Setup", "Language"}};
    const std::vector<uint32_t> expected = {753951, 1,  1,   41000, 0,   100, 1, 10,
                                            112,    50, 800, 600,   200, 1,   0};
    for (size_t i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(RegistryStore::readInteger(key(numbers[i].first), numbers[i].second), expected[i])
            << numbers[i].second;
    EXPECT_EQ(RegistryStore::readString(key("Global"), "IpAddress"), "192.168.0.11");
    EXPECT_EQ(RegistryStore::readString(key("Global"), "Current Directory"), "");
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(RegistryStore::readString(key("Recent File List"), "Recent" + std::to_string(i)),
                  "");
    EXPECT_EQ(RegistryStore::readString(key("Password"), "MakerReserveMode"), "6C616E7465726E");
    EXPECT_EQ(RegistryStore::readString(key("Password"), "AdjustMode"), "00");
}

TEST_F(EnvironTest, ChangedSettingsSurviveARestart)
{
    const Snapshot saved = storeChangedSettings();
    auto env = makeEnviron();
    EXPECT_EQ(snapshotOf(*env), saved);
}

struct DefaultPlacementCase {
    ScreenSize screen;
    int32_t left, top, width, height;
};

class DefaultPlacementTest : public EnvironTest,
                             public ::testing::WithParamInterface<DefaultPlacementCase>
{};

TEST_P(DefaultPlacementTest, FollowsTheScreen)
{
    auto env = makeEnviron(GetParam().screen);
    EXPECT_EQ(env->windowLeft, GetParam().left);
    EXPECT_EQ(env->windowTop, GetParam().top);
    EXPECT_EQ(env->windowWidth, GetParam().width);
    EXPECT_EQ(env->windowHeight, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Screens, DefaultPlacementTest,
                         ::testing::Values(DefaultPlacementCase{{1024, 768}, 112, 50, 800, 600},
                                           DefaultPlacementCase{{1023, 767}, 111, 50, 800, 600},
                                           DefaultPlacementCase{{800, 600}, 40, 18, 720, 540},
                                           DefaultPlacementCase{{640, 480}, 32, 14, 576, 432},
                                           DefaultPlacementCase{{1920, 1080}, 560, 144, 800, 600}));

struct ClampCase {
    const char *subkey;
    const char *name;
    uint32_t stored;
    std::function<int32_t(const indEnviron &)> field;
    int32_t expected;
};

int32_t comPortOf(const indEnviron &e) { return e.comPort; }
int32_t speedOf(const indEnviron &e) { return e.comSpeedHigh; }
int32_t fontSizeOf(const indEnviron &e) { return e.fontSizePercentage; }
int32_t printerFontOf(const indEnviron &e) { return e.printerFontSize; }
int32_t toolbarOf(const indEnviron &e) { return e.toolbarVisible ? 1 : 0; }
int32_t leftOf(const indEnviron &e) { return e.windowLeft; }
int32_t backupsOf(const indEnviron &e) { return e.backupsKept; }

class LoadLimitTest : public EnvironTest, public ::testing::WithParamInterface<ClampCase>
{};

TEST_P(LoadLimitTest, NumbersAreClampedWhenRead)
{
    storeChangedSettings();
    const ClampCase &c = GetParam();
    ASSERT_TRUE(RegistryStore::writeInteger(key(c.subkey), c.name, c.stored));
    auto env = makeEnviron();
    EXPECT_EQ(c.field(*env), c.expected);
    EXPECT_EQ(env->treeWidth, 250) << "the other settings stay as stored";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadLimitTest,
    ::testing::Values(ClampCase{"Global", "ComPort", 0, comPortOf, 1},
                      ClampCase{"Global", "ComPort", 300, comPortOf, 256},
                      ClampCase{"Global", "ComPort", 256, comPortOf, 256},
                      ClampCase{"Global", "ComPort", 0xFFFFFFFFu, comPortOf, 1},
                      ClampCase{"Global", "ComSpeedHigh", 5, speedOf, 1},
                      ClampCase{"View Option", "FontSize Percentage", 10, fontSizeOf, 25},
                      ClampCase{"View Option", "FontSize Percentage", 5000, fontSizeOf, 1000},
                      ClampCase{"View Option", "FontSize Printer", 20, printerFontOf, 12},
                      ClampCase{"View Option", "FontSize Printer", 3, printerFontOf, 8},
                      ClampCase{"View Option", "Toolbar Visible", 7, toolbarOf, 1},
                      ClampCase{"View Option", "Toolbar Visible", 0, toolbarOf, 0},
                      ClampCase{"Window Position", "Left", 0xFFFFFF00u, leftOf, -256},
                      ClampCase{"Backups", "Keep", 7, backupsOf, 7},
                      ClampCase{"Backups", "Keep", 0xFFFFFFFFu, backupsOf, 0}));

// Settings written before the backups had a setting keep everything else
// and get the default number of copies.
TEST_F(EnvironTest, AStoreWithoutTheBackupSettingKeepsTheRest)
{
    storeChangedSettings();
    removeValue(sandbox, "Backups", "Keep");
    auto env = makeEnviron();
    EXPECT_EQ(env->backupsKept, indEnviron::kDefaultBackupsKept);
    EXPECT_EQ(env->treeWidth, 250) << "the other settings stay as stored";
}

struct MissingCase {
    const char *subkey;
    const char *name;
};

class MissingNumberTest : public EnvironTest, public ::testing::WithParamInterface<MissingCase>
{};

TEST_P(MissingNumberTest, ResetsEverySettingIncludingTheRecentList)
{
    storeChangedSettings();
    removeValue(sandbox, GetParam().subkey, GetParam().name);
    auto env = makeEnviron();
    EXPECT_EQ(snapshotOf(*env), kDefaults);
}

INSTANTIATE_TEST_SUITE_P(
    EveryNumber, MissingNumberTest,
    ::testing::Values(
        MissingCase{"Global", "BBT"}, MissingCase{"Global", "ComPort"},
        MissingCase{"Global", "ComSpeedHigh"}, MissingCase{"Global", "TcpipPort"},
        MissingCase{"Global", "PortSelect"}, MissingCase{"View Option", "FontSize Percentage"},
        MissingCase{"View Option", "Toolbar Visible"},
        MissingCase{"View Option", "FontSize Printer"}, MissingCase{"Window Position", "Left"},
        MissingCase{"Window Position", "Top"}, MissingCase{"Window Position", "Width"},
        MissingCase{"Window Position", "Height"}, MissingCase{"Window Position", "SplitterV"},
        MissingCase{"Setup", "ModelType"}, MissingCase{"Setup", "Language"}));

TEST_F(EnvironTest, NumberStoredAsTextCountsAsMissing)
{
    storeChangedSettings();
    ASSERT_TRUE(RegistryStore::writeString(key("Window Position"), "SplitterV", "wide"));
    auto env = makeEnviron();
    EXPECT_EQ(snapshotOf(*env), kDefaults);
}

TEST_F(EnvironTest, ForeignMarkerResetsEverything)
{
    storeChangedSettings();
    ASSERT_TRUE(RegistryStore::writeInteger(key("Global"), "BBT", 12345));
    auto env = makeEnviron();
    EXPECT_EQ(snapshotOf(*env), kDefaults);
}

TEST_F(EnvironTest, MissingTextsReadAsEmptyWithoutReset)
{
    Snapshot expected = storeChangedSettings();
    removeValue(sandbox, "Global", "IpAddress");
    removeValue(sandbox, "Global", "Current Directory");
    removeValue(sandbox, "Recent File List", "Recent0");
    auto env = makeEnviron();
    expected.ip.clear();
    expected.directory.clear();
    // The missing first value becomes an empty entry that the next, stored
    // value pushes past.
    expected.recent[0] = "/clones/old.vrc";
    expected.recent[1] = "";
    EXPECT_EQ(snapshotOf(*env), expected);
}

struct PasswordCase {
    const char *name;
    std::optional<std::string> stored;   // nullopt: value absent
    std::optional<std::string> expected; // nullopt: every setting reset
};

class PasswordLoadTest : public EnvironTest, public ::testing::WithParamInterface<PasswordCase>
{};

TEST_P(PasswordLoadTest, DecodesOrResets)
{
    storeChangedSettings();
    const PasswordCase &c = GetParam();
    if (c.stored)
        ASSERT_TRUE(RegistryStore::writeString(key("Password"), c.name, *c.stored));
    else
        removeValue(sandbox, "Password", c.name);
    auto env = makeEnviron();
    if (!c.expected) {
        EXPECT_EQ(snapshotOf(*env), kDefaults);
        return;
    }
    const std::string &loaded =
        std::string(c.name) == "AdjustMode" ? env->adjustPassword : env->makerPassword;
    EXPECT_EQ(loaded, *c.expected);
    EXPECT_EQ(env->comPort, 7) << "a readable password keeps the other settings";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasswordLoadTest,
    ::testing::Values(PasswordCase{"MakerReserveMode", "00", ""},
                      PasswordCase{"MakerReserveMode", "4", std::string("\x04")},
                      PasswordCase{"MakerReserveMode", "4142", "AB"},
                      PasswordCase{"MakerReserveMode", "414", std::string("A\x04")},
                      PasswordCase{"MakerReserveMode", "6c616e", "lan"},
                      PasswordCase{"MakerReserveMode", "", "lantern"},
                      PasswordCase{"MakerReserveMode", std::nullopt, "lantern"},
                      PasswordCase{"MakerReserveMode", "ZZ", std::nullopt},
                      PasswordCase{"MakerReserveMode", "414G", std::nullopt},
                      PasswordCase{"AdjustMode", std::nullopt, ""},
                      PasswordCase{"AdjustMode", "3132", "12"},
                      PasswordCase{"AdjustMode", "xy", std::nullopt}));

TEST_F(EnvironTest, PasswordsAreStoredAsHexBytes)
{
    {
        auto env = makeEnviron();
        env->makerPassword = "AB";
        env->adjustPassword = "pä$";
    }
    EXPECT_EQ(RegistryStore::readString(key("Password"), "MakerReserveMode"), "4142");
    EXPECT_EQ(RegistryStore::readString(key("Password"), "AdjustMode"), "70C3A424");
    auto env = makeEnviron();
    EXPECT_EQ(env->adjustPassword, "pä$");
}

TEST_F(EnvironTest, RecentListAlwaysWritesTenValues)
{
    const std::vector<std::string> paths = {"/clones/c.vrc", "/home/tech/R&D, new;=.vrc",
                                            "/home/tech/@Grüße.vrc"};
    {
        auto env = makeEnviron();
        for (auto it = paths.rbegin(); it != paths.rend(); ++it)
            env->recentFiles.addToFront(*it);
    }
    for (int i = 0; i < 10; ++i) {
        const std::string expected = i < 3 ? paths[static_cast<size_t>(i)] : "";
        EXPECT_EQ(RegistryStore::readString(key("Recent File List"), "Recent" + std::to_string(i)),
                  expected)
            << i;
    }
    auto env = makeEnviron();
    EXPECT_EQ(env->recentFiles.displayText(1, ""), paths[1]);
    EXPECT_EQ(env->recentFiles.displayText(2, ""), paths[2]);
}

TEST_F(EnvironTest, SecondInstanceNeitherLoadsNorSaves)
{
    const Snapshot saved = storeChangedSettings();
    auto first = makeEnviron();
    {
        auto second = makeEnviron();
        EXPECT_FALSE(second->IsFirstInstance());
        Snapshot zero{};
        zero.recent.resize(10);
        EXPECT_EQ(snapshotOf(*second), zero);
        EXPECT_EQ(second->FindWindowRecord("GI_Sheet_Win_AD"), nullptr);
        changeEverything(*second);
        second->settingsMarker = indEnviron::kSettingsMarker;
        second->comPort = 99;
    }
    EXPECT_EQ(RegistryStore::readInteger(key("Global"), "ComPort"), 7u);
    EXPECT_FALSE(makeEnviron()->IsFirstInstance()) << "the first instance still holds the lock";
    first.reset();
    auto next = makeEnviron();
    EXPECT_TRUE(next->IsFirstInstance());
    EXPECT_EQ(snapshotOf(*next), saved);
}

TEST_F(EnvironTest, DetachedSettingsNeverTakeTheLockNorSave)
{
    const Snapshot saved = storeChangedSettings();
    auto first = makeEnviron();
    {
        indEnviron defaults(indEnviron::Detached::Defaults);
        EXPECT_EQ(snapshotOf(defaults), kDefaults);
        indEnviron stored(indEnviron::Detached::ReadOnlyStore);
        EXPECT_EQ(snapshotOf(stored), saved);
        stored.comPort = 99;
    }
    EXPECT_EQ(RegistryStore::readInteger(key("Global"), "ComPort"), 7u);
    EXPECT_TRUE(first->IsFirstInstance());
}

const std::string kWindow = "GI_Sheet_Win_AD";
const char *const kPlacementNames[] = {"Left", "Top", "Width", "Height", "WindowState"};

void storePlacement(const std::string &window, const std::vector<uint32_t> &values)
{
    for (size_t i = 0; i < values.size(); ++i)
        ASSERT_TRUE(RegistryStore::writeInteger(key("EditForm Position"),
                                                window + "_" + kPlacementNames[i], values[i]));
}

TEST_F(EnvironTest, WindowRecordIsLoadedWhenAllFiveValuesExist)
{
    storePlacement(kWindow, {10, 20, 300, 400, 2});
    auto env = makeEnviron();
    env->StoreWindowRecord({"Other", 1, 2, 3, 4, 5, 6, 7, 8, 0, true});
    const WindowRecord *record = env->FindWindowRecord(kWindow);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->name, kWindow);
    EXPECT_EQ(std::vector<int32_t>(
                  {record->left, record->top, record->width, record->height, record->state}),
              std::vector<int32_t>({10, 20, 300, 400, 2}));
    EXPECT_EQ(
        std::vector<int32_t>({record->leftColumn, record->topRow, record->column, record->row}),
        std::vector<int32_t>({-1, -1, -1, -1}));
    EXPECT_FALSE(record->open);
    EXPECT_EQ(&env->windowRecords.front(), record);
    EXPECT_EQ(env->FindWindowRecord(kWindow), record) << "found again without a second copy";
    EXPECT_EQ(env->windowRecords.size(), 2u);
}

class IncompleteWindowRecordTest : public EnvironTest,
                                   public ::testing::WithParamInterface<const char *>
{};

TEST_P(IncompleteWindowRecordTest, GivesNoRecord)
{
    storePlacement(kWindow, {10, 20, 300, 400, 2});
    removeValue(sandbox, "EditForm Position", kWindow + "_" + GetParam());
    auto env = makeEnviron();
    EXPECT_EQ(env->FindWindowRecord(kWindow), nullptr);
    EXPECT_TRUE(env->windowRecords.empty());
}

INSTANTIATE_TEST_SUITE_P(EachValue, IncompleteWindowRecordTest,
                         ::testing::ValuesIn(kPlacementNames));

TEST_F(EnvironTest, StoringAWindowRecordUpdatesItAndMovesItFirst)
{
    auto env = makeEnviron();
    WindowRecord *a = env->StoreWindowRecord({"A", 1, 1, 100, 100, 0, 0, 0, 0, 0, true});
    env->StoreWindowRecord({"B", 2, 2, 200, 200, 0, 0, 0, 0, 0, true});
    WindowRecord *again = env->StoreWindowRecord({"A", 5, 6, 110, 120, 1, 2, 3, 4, 2, false});
    EXPECT_EQ(again, a) << "the record is updated in place";
    ASSERT_EQ(env->windowRecords.size(), 2u);
    EXPECT_EQ(env->windowRecords.front().name, "A");
    EXPECT_EQ(env->windowRecords.front().left, 5);
    EXPECT_EQ(env->windowRecords.front().row, 4);
    EXPECT_EQ(env->windowRecords.back().name, "B");
}

TEST_F(EnvironTest, WindowRecordsSurviveARestartWithoutTheirGridPosition)
{
    {
        auto env = makeEnviron();
        env->StoreWindowRecord({kWindow, -5, 6, 700, 800, 1, 2, 3, 4, 2, true});
    }
    EXPECT_EQ(RegistryStore::readInteger(key("EditForm Position"), kWindow + "_Left"),
              static_cast<uint32_t>(-5));
    EXPECT_EQ(RegistryStore::readInteger(key("EditForm Position"), kWindow + "_WindowState"), 2u);
    auto env = makeEnviron();
    const WindowRecord *record = env->FindWindowRecord(kWindow);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->left, -5);
    EXPECT_EQ(record->height, 800);
    EXPECT_EQ(record->leftColumn, -1);
    EXPECT_EQ(record->row, -1);
}

TEST_F(EnvironTest, RegistryHelpersWorkOnFullKeyPaths)
{
    const std::string widths = kRoot + "\\Display\\Ch\\colwidth";
    EXPECT_EQ(indEnviron::ReadRegistryInteger(widths, "0"), -1);
    ASSERT_TRUE(indEnviron::WriteRegistryInteger(widths, 64, "0"));
    ASSERT_TRUE(indEnviron::WriteRegistryInteger(widths, 80, "1"));
    EXPECT_EQ(indEnviron::ReadRegistryInteger(widths, "0"), 64);
    EXPECT_TRUE(indEnviron::DeleteRegistryKey(kRoot + "\\Display", "Ch"));
    EXPECT_EQ(indEnviron::ReadRegistryInteger(widths, "1"), -1);
    EXPECT_FALSE(indEnviron::DeleteRegistryKey(kRoot + "\\Display", "Ch"));
}

} // namespace
