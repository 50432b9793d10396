#include "link/PortMap.h"
#include "link/PortDiscovery.h"

#include "LinkTestSupport.h"

#include "platform/RegistryStore.h"
#include "support/TestPaths.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

void mapPort(std::int32_t port, const std::string &path)
{
    platform::RegistryStore::writeString(PortMap::settingsKey(), PortMap::overrideName(port), path);
}

TEST(PortMap, NumbersReachTheirDeviceRanges)
{
    testing_support::ScopedSettingsSandbox sandbox;
    struct Case {
        std::int32_t port;
        const char *path;
    } cases[] = {
        {1, "/dev/ttyS0"},
        {32, "/dev/ttyS31"},
        {33, "/dev/ttyUSB0"},
        {64, "/dev/ttyUSB31"},
        {65, "/dev/ttyACM0"},
        {96, "/dev/ttyACM31"},
        {97, "/dev/pts/0"},
        {224, "/dev/pts/127"},
        {225, ""},
        {256, ""},
        {0, ""},
        {-1, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PortMap::devicePath(c.port), c.path) << c.port;
}

TEST(PortMap, SettingsOverrideANumber)
{
    testing_support::ScopedSettingsSandbox sandbox;
    mapPort(5, "/dev/serial/by-id/usb-radio-cable");
    mapPort(230, "/dev/pts/140");
    mapPort(6, "");
    mapPort(257, "/dev/ttyUSB9");

    EXPECT_EQ(PortMap::devicePath(5), "/dev/serial/by-id/usb-radio-cable");
    EXPECT_EQ(PortMap::devicePath(230), "/dev/pts/140");
    EXPECT_EQ(PortMap::devicePath(6), "/dev/ttyS5");
    EXPECT_EQ(PortMap::devicePath(257), "");
    EXPECT_EQ(PortMap::builtInPath(5), "/dev/ttyS4");
}

TEST(PortDiscovery, NumberOfText)
{
    struct Case {
        const char *text;
        std::int32_t number;
    } cases[] = {
        {"COM10", 10}, {"10", 10}, {"3: USB serial (/dev/ttyUSB0)", 3},
        {" 7", 7},     {"COM", 0}, {"com5", 0},
        {"", 0},       {"x12", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PortDiscovery::numberOfText(c.text), c.number) << '"' << c.text << '"';
}

class PortListsTest : public ::testing::Test
{
protected:
    testing_support::ScopedSettingsSandbox sandbox_;
    std::vector<PortDiscovery::Device> devices_{
        {"/dev/ttyUSB0", "FT232R USB UART"},
        {"/dev/ttyS9", "Serial port"},
        {"/dev/ttyS1", "Serial port"},
        {"/dev/ttyACM0", ""},
    };
};

TEST_F(PortListsTest, RegistryNumbersSortNumerically)
{
    EXPECT_EQ(PortDiscovery::registryPortNumbers(devices_),
              (std::vector<std::string>{"2", "10", "33", "65"}));
}

TEST_F(PortListsTest, AnOverrideListsTheDeviceUnderItsNumberToo)
{
    // A by-id style link to a device file stands for the device itself.
    const std::string device = sandbox_.folder() + "/ttyUSB7";
    const std::string link = sandbox_.folder() + "/by-id-cable";
    testing_support::writeFile(device, "");
    ASSERT_TRUE(QFile::link(QString::fromStdString(device), QString::fromStdString(link)));
    mapPort(4, link);
    devices_.push_back({device, "CP2102 USB to UART"});

    const auto numbers = PortDiscovery::registryPortNumbers(devices_);
    EXPECT_EQ(numbers, (std::vector<std::string>{"2", "4", "10", "33", "65"}));
    EXPECT_EQ(PortDiscovery::portDescriptions(devices_, {"4"}),
              (std::vector<std::string>{"4: CP2102 USB to UART (" + link + ")"}));
}

TEST_F(PortListsTest, DeviceNumbersAreTheMappedPathsThatExist)
{
    mapPort(3, "/dev/serial/by-id/cable");
    const auto exists = [](const std::string &path) {
        return path == "/dev/ttyS0" || path == "/dev/serial/by-id/cable" || path == "/dev/pts/3" ||
               path == "/dev/ttyS2";
    };
    // COM3's own device ttyS2 is hidden by the override.
    EXPECT_EQ(PortDiscovery::devicePortNumbers(exists),
              (std::vector<std::string>{"1", "3", "100"}));
}

TEST_F(PortListsTest, DescriptionsNeedAFriendlyNameAndAListedNumber)
{
    EXPECT_EQ(PortDiscovery::portDescriptions(devices_, {"65", "33", "10", "5"}),
              (std::vector<std::string>{"10: Serial port (/dev/ttyS9)",
                                        "33: FT232R USB UART (/dev/ttyUSB0)"}));
}

TEST(PortDiscoverySystem, ListsAnOpenPseudoTerminal)
{
    testing_support::ScopedSettingsSandbox sandbox;
    link_testing::PseudoTerminal pty;
    if (!pty.valid())
        GTEST_SKIP() << "no pseudo-terminals here";
    const std::string slave = pty.slavePath();
    const std::int32_t number = 97 + std::stoi(slave.substr(std::string("/dev/pts/").size()));
    if (number > 224)
        GTEST_SKIP() << slave << " lies beyond the numbers the map reaches";
    const std::string text = std::to_string(number);

    const auto registry = PortDiscovery::registryPortNumbers();
    const auto device = PortDiscovery::devicePortNumbers();
    EXPECT_NE(std::find(registry.begin(), registry.end(), text), registry.end());
    EXPECT_NE(std::find(device.begin(), device.end(), text), device.end());
    const auto descriptions = PortDiscovery::portDescriptions({text});
    EXPECT_EQ(descriptions, (std::vector<std::string>{text + ": Pseudo-terminal (" + slave + ")"}));
}

} // namespace
