#include "platform/RegistryStore.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

using platform::RegistryStore;

namespace {

const std::string kGlobal = std::string(RegistryStore::kRoot) + "\\Global";

class RegistryStoreTest : public ::testing::Test
{
protected:
    testing_support::ScopedSettingsSandbox sandbox;
};

TEST_F(RegistryStoreTest, MissingValueIsNotZero)
{
    EXPECT_FALSE(RegistryStore::readInteger(kGlobal, "ComPort").has_value());
    ASSERT_TRUE(RegistryStore::writeInteger(kGlobal, "ComPort", 0));
    EXPECT_EQ(RegistryStore::readInteger(kGlobal, "ComPort"), 0u);
}

TEST_F(RegistryStoreTest, IntegersAndStringsRoundTrip)
{
    ASSERT_TRUE(RegistryStore::writeInteger(kGlobal, "BBT", 753951));
    ASSERT_TRUE(RegistryStore::writeInteger(kGlobal, "Big", 0xFFFFFFFFu));
    ASSERT_TRUE(RegistryStore::writeString(kGlobal, "IpAddress", "192.168.0.11"));
    ASSERT_TRUE(RegistryStore::writeString(kGlobal, "Empty", ""));
    EXPECT_EQ(RegistryStore::readInteger(kGlobal, "BBT"), 753951u);
    EXPECT_EQ(RegistryStore::readInteger(kGlobal, "Big"), 0xFFFFFFFFu);
    EXPECT_EQ(RegistryStore::readString(kGlobal, "IpAddress"), "192.168.0.11");
    EXPECT_EQ(RegistryStore::readString(kGlobal, "Empty"), "");
    EXPECT_FALSE(RegistryStore::readString(kGlobal, "Absent").has_value());
}

TEST_F(RegistryStoreTest, ValueNamesKeepSpacesAndCase)
{
    const std::string view = std::string(RegistryStore::kRoot) + "\\View Option";
    ASSERT_TRUE(RegistryStore::writeInteger(view, "FontSize Percentage", 120));
    EXPECT_EQ(RegistryStore::readInteger(view, "FontSize Percentage"), 120u);
    EXPECT_FALSE(RegistryStore::readInteger(view, "fontsize percentage").has_value());
}

TEST_F(RegistryStoreTest, TextIsNotReadAsAnInteger)
{
    ASSERT_TRUE(RegistryStore::writeString(kGlobal, "ComPort", "COM1"));
    EXPECT_FALSE(RegistryStore::readInteger(kGlobal, "ComPort").has_value());
}

TEST_F(RegistryStoreTest, DeleteKeyRemovesTheWholeSubtree)
{
    const std::string display = std::string(RegistryStore::kRoot) + "\\Display\\";
    ASSERT_TRUE(RegistryStore::writeInteger(display + "Ch\\colwidth", "0", 40));
    ASSERT_TRUE(RegistryStore::writeInteger(display + "Ch\\colwidth", "1", 50));
    ASSERT_TRUE(RegistryStore::writeInteger(display + "Scan\\colwidth", "0", 60));
    EXPECT_TRUE(RegistryStore::keyExists(display + "Ch\\colwidth"));

    EXPECT_TRUE(RegistryStore::deleteKey(display + "Ch", "colwidth"));
    EXPECT_FALSE(RegistryStore::readInteger(display + "Ch\\colwidth", "0").has_value());
    EXPECT_FALSE(RegistryStore::keyExists(display + "Ch\\colwidth"));
    EXPECT_EQ(RegistryStore::readInteger(display + "Scan\\colwidth", "0"), 60u);
    EXPECT_FALSE(RegistryStore::deleteKey(display + "Ch", "colwidth"));
}

TEST_F(RegistryStoreTest, SettingsSurviveInTheBackingFile)
{
    ASSERT_TRUE(RegistryStore::writeInteger(kGlobal, "TcpipPort", 41000));
    const std::string text = testing_support::readFile(sandbox.settingsFile());
    EXPECT_NE(text.find("[Global]"), std::string::npos);
    EXPECT_NE(text.find("TcpipPort=41000"), std::string::npos);
}

} // namespace
