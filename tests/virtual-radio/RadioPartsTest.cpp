#include "LinePacer.h"
#include "MemoryFile.h"
#include "VirtualRadio.h"

#include "support/TestPaths.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using vradio::Bytes;

std::uint16_t wordAt(const Bytes &memory, std::size_t address)
{
    return static_cast<std::uint16_t>(memory[address] << 8 | memory[address + 1]);
}

std::string textAt(const Bytes &memory, std::size_t address, std::size_t length)
{
    return std::string(memory.begin() + static_cast<std::ptrdiff_t>(address),
                       memory.begin() + static_cast<std::ptrdiff_t>(address + length));
}

TEST(MemoryFile, BlankMemoryPassesTheProgramsImageCheck)
{
    const Bytes memory = vradio::MemoryFile::blankMemory(vradio::VirtualRadio::kMemorySize);
    ASSERT_EQ(memory.size(), vradio::VirtualRadio::kMemorySize);
    EXPECT_EQ(wordAt(memory, 0x90), 0x3063);
    EXPECT_LE(memory[0x108], 1);
    EXPECT_EQ(textAt(memory, 0x100, 8), "VORN Inc");
    EXPECT_EQ(wordAt(memory, 0x10A), 0x3079);
    EXPECT_EQ(textAt(memory, wordAt(memory, 0x112) - wordAt(memory, 0x114) + 504, 8), "VORN Inc");
}

class MemoryFileTest : public ::testing::Test
{
protected:
    std::string path(const char *name) const { return dir_.filePath(name).toStdString(); }

    QTemporaryDir dir_;
};

TEST_F(MemoryFileTest, SavedMemoryLoadsBackUnchanged)
{
    Bytes memory(vradio::VirtualRadio::kMemorySize);
    for (std::size_t i = 0; i < memory.size(); ++i)
        memory[i] = static_cast<std::uint8_t>(i ^ (i >> 8));
    ASSERT_TRUE(vradio::MemoryFile::save(path("radio.vrc"), memory));

    const std::string text = testing_support::readFile(path("radio.vrc"));
    EXPECT_EQ(text.substr(0, 10), "30790000\r\n");
    EXPECT_NE(text.find("\r\n#MapRev=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nFF7010"), std::string::npos);

    Bytes loaded(memory.size(), 0);
    EXPECT_EQ(vradio::MemoryFile::load(path("radio.vrc"), loaded), "");
    EXPECT_EQ(loaded, memory);
}

TEST_F(MemoryFileTest, UnusableFilesLeaveTheMemoryAlone)
{
    Bytes full(vradio::VirtualRadio::kMemorySize, 0x11);
    ASSERT_TRUE(vradio::MemoryFile::save(path("full.vrc"), full));
    const std::string good = testing_support::readFile(path("full.vrc"));
    struct Case {
        const char *name;
        std::string content;
    } cases[] = {
        {"hex header", "3079000A" + good.substr(8)},
        {"other model", "3080" + good.substr(4)},
        {"a line missing", good.substr(0, good.find("\r\n8000"))},
        {"empty", ""},
    };
    for (const auto &c : cases) {
        testing_support::writeFile(path("bad.vrc"), c.content);
        Bytes memory(vradio::VirtualRadio::kMemorySize, 0x77);
        EXPECT_NE(vradio::MemoryFile::load(path("bad.vrc"), memory), "") << c.name;
        EXPECT_EQ(memory, Bytes(vradio::VirtualRadio::kMemorySize, 0x77)) << c.name;
    }
    Bytes memory(16);
    EXPECT_NE(vradio::MemoryFile::load(path("missing.vrc"), memory), "");
}

TEST(LinePacer, KeepsToTheLineSpeedWithoutBursts)
{
    // 9600 baud carries 960 bytes a second: 0.96 bytes a millisecond.
    vradio::LinePacer pacer(9600);
    std::int64_t now = 0;
    EXPECT_EQ(pacer.allowance(now), 0u);
    std::size_t sent = 0;
    for (int ms = 1; ms <= 1000; ++ms) {
        now = ms * 1000;
        const std::size_t n = pacer.allowance(now);
        pacer.consume(n);
        sent += n;
    }
    EXPECT_GE(sent, 955u);
    EXPECT_LE(sent, 960u);
    // A long pause saves up no more than a few milliseconds of line time.
    EXPECT_LE(pacer.allowance(now + 10'000'000), 5u);
}

TEST(LinePacer, WithoutABaudEverythingPasses)
{
    vradio::LinePacer pacer(0);
    EXPECT_EQ(pacer.allowance(0), SIZE_MAX);
    pacer.consume(1'000'000);
    EXPECT_EQ(pacer.allowance(1), SIZE_MAX);
}

} // namespace
