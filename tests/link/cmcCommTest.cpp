#include "LinkTestSupport.h"

#include "link/PortMap.h"
#include "link/cmcComm.h"
#include "platform/RegistryStore.h"
#include "support/TestPaths.h"

#include <termios.h>

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

using link_testing::Bytes;
using link_testing::pumpUntil;
using Parity = cmcComm::Parity;
using StopBits = cmcComm::StopBits;

TEST(cmcCommSettings, ParsesTheFourFields)
{
    struct Case {
        const char *text;
        std::int32_t baud;
        std::int32_t dataBits;
        Parity parity;
        StopBits stopBits;
    } cases[] = {
        {"19200,N,8,1", 19200, 8, Parity::None, StopBits::One},
        {"9600,n,8,1", 9600, 8, Parity::None, StopBits::One},
        {"38400,N,8,2", 38400, 8, Parity::None, StopBits::Two},
        {"9600,N,5,1.5", 9600, 5, Parity::None, StopBits::OneAndHalf},
        {"9600,N,9,1", 9600, 8, Parity::None, StopBits::One},
        {"9600,N,3,1", 9600, 4, Parity::None, StopBits::One},
        {"9600,N,8,1.50", 9600, 8, Parity::None, StopBits::One},
        {"9600,N,8,x", 9600, 8, Parity::None, StopBits::One},
        {"4800,e,7,1", 4800, 7, Parity::Even, StopBits::One},
        {"4800,O,7,1", 4800, 7, Parity::Odd, StopBits::One},
        {"4800,Q,7,1", 4800, 7, Parity::None, StopBits::One},
        {"38400", 38400, 8, Parity::None, StopBits::One},
        {"", 9600, 8, Parity::None, StopBits::One},
    };
    for (const auto &c : cases) {
        const cmcComm::Settings s = cmcComm::ParseSettings(c.text);
        EXPECT_EQ(s.baud, c.baud) << c.text;
        EXPECT_EQ(s.dataBits, c.dataBits) << c.text;
        EXPECT_EQ(s.parity, c.parity) << c.text;
        EXPECT_EQ(s.stopBits, c.stopBits) << c.text;
    }
}

// A cmcComm on a pseudo-terminal reached through a port number override.
class SerialPortTest : public ::testing::Test
{
protected:
    static constexpr std::int32_t kPort = 150;

    void SetUp() override
    {
        if (!pty_.valid())
            GTEST_SKIP() << "no pseudo-terminals here";
        mapPort(kPort, pty_.slavePath());
    }

    static void mapPort(std::int32_t port, const std::string &path)
    {
        platform::RegistryStore::writeString(PortMap::settingsKey(), PortMap::overrideName(port),
                                             path);
    }

    termios line() const
    {
        termios t{};
        ::tcgetattr(pty_.slave(), &t);
        return t;
    }

    testing_support::ScopedSettingsSandbox sandbox_;
    link_testing::PseudoTerminal pty_;
};

// A pseudo-terminal only carries 8 data bits without parity, so the table
// stays with what it can show.
TEST_F(SerialPortTest, OpenSetsTheLineAsTheSettingsSay)
{
    struct Case {
        const char *text;
        speed_t speed;
        tcflag_t size;
        bool parity;
        bool twoStopBits;
    } cases[] = {
        {"19200,N,8,1", B19200, CS8, false, false},
        {"9600,n,8,1", B9600, CS8, false, false},
        {"38400,N,8,2", B38400, CS8, false, true},
    };
    for (const auto &c : cases) {
        cmcComm comm;
        ASSERT_TRUE(comm.Open(kPort, c.text)) << c.text;
        const termios t = line();
        EXPECT_EQ(::cfgetospeed(&t), c.speed) << c.text;
        EXPECT_EQ(t.c_cflag & CSIZE, c.size) << c.text;
        EXPECT_EQ((t.c_cflag & PARENB) != 0, c.parity) << c.text;
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.twoStopBits) << c.text;
        EXPECT_EQ(t.c_cflag & CRTSCTS, 0u) << c.text;
        EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u) << c.text;
    }
}

TEST_F(SerialPortTest, SecondOpenKeepsTheFirstSettings)
{
    cmcComm comm;
    ASSERT_TRUE(comm.Open(kPort, "19200,N,8,1"));
    EXPECT_FALSE(comm.Open(kPort, "9600,N,8,1"));
    EXPECT_TRUE(comm.IsOpen());
    const termios t = line();
    EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B19200));
    EXPECT_EQ(comm.settings().baud, 19200);
}

TEST_F(SerialPortTest, UnusablePortsAndSettingsFailTheOpen)
{
    mapPort(151, sandbox_.folder() + "/no-such-device");
    struct Case {
        std::int32_t port;
        const char *text;
    } cases[] = {
        {0, "9600,N,8,1"},   {257, "9600,N,8,1"},
        {151, "9600,N,8,1"}, {kPort, "9600,N,3,1"}, // no 4-bit characters on this system
        {kPort, "0,N,8,1"},
    };
    for (const auto &c : cases) {
        cmcComm comm;
        EXPECT_FALSE(comm.Open(c.port, c.text)) << c.port << ' ' << c.text;
        EXPECT_FALSE(comm.IsOpen()) << c.port << ' ' << c.text;
        EXPECT_EQ(comm.port(), c.port);
    }
}

TEST_F(SerialPortTest, ReadInABusyLoopSeesWhatArrived)
{
    cmcComm comm;
    ASSERT_TRUE(comm.Open(kPort, "9600,N,8,1"));
    const Bytes bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    pty_.write(bytes);

    // No event processing here, as in the clone driver's input flush.
    Bytes got;
    std::uint8_t buffer[256];
    QElapsedTimer clock;
    clock.start();
    while (got.size() < bytes.size() && clock.elapsed() < 10000) {
        const std::int32_t n = comm.Read(buffer, sizeof buffer);
        got.insert(got.end(), buffer, buffer + n);
    }
    EXPECT_EQ(got, bytes);
    EXPECT_EQ(comm.BytesWaitingIn(), 0);
}

// A port whose device queue drains only when the test says so, and whose
// writes can fall short.
class ScriptedDeviceComm : public cmcComm
{
public:
    std::int32_t deviceQueue = 0;
    std::int32_t shortBy = 0;
    int queueChecks = 0;
    std::vector<std::int32_t> pieces;
    Bytes written;

protected:
    std::int32_t deviceOutputQueue() override
    {
        ++queueChecks;
        return deviceQueue;
    }
    std::int32_t writeToDevice(const std::uint8_t *bytes, std::int32_t count) override
    {
        pieces.push_back(count);
        const std::int32_t taken = count - shortBy;
        written.insert(written.end(), bytes, bytes + taken);
        deviceQueue += taken;
        return taken;
    }
};

class WritePumpTest : public SerialPortTest
{
protected:
    void SetUp() override
    {
        SerialPortTest::SetUp();
        if (!IsSkipped()) {
            ASSERT_TRUE(comm_.Open(kPort, "9600,N,8,1"));
        }
    }

    // Lets the pump look at the device queue twice more: had it wanted to
    // write, it would have by then.
    void letPumpRunTwice()
    {
        const int target = comm_.queueChecks + 2;
        ASSERT_TRUE(pumpUntil([&] { return comm_.queueChecks >= target; }));
    }

    void drainDevice() { comm_.deviceQueue = 0; }

    ScriptedDeviceComm comm_;
};

TEST_F(WritePumpTest, HandsOverPiecesOnlyAfterTheDeviceDrained)
{
    const Bytes bytes = link_testing::patternBytes(3000);
    comm_.Send(bytes.data(), 3000);
    EXPECT_EQ(comm_.pieces, (std::vector<std::int32_t>{1024}));
    EXPECT_EQ(comm_.Pending(), 3000);

    letPumpRunTwice();
    EXPECT_EQ(comm_.pieces.size(), 1u);

    drainDevice();
    ASSERT_TRUE(pumpUntil([&] { return comm_.pieces.size() == 2; }));
    letPumpRunTwice();
    EXPECT_EQ(comm_.pieces.size(), 2u);
    EXPECT_EQ(comm_.Pending(), 1024 + 952);

    drainDevice();
    ASSERT_TRUE(pumpUntil([&] { return comm_.pieces.size() == 3; }));
    EXPECT_EQ(comm_.pieces, (std::vector<std::int32_t>{1024, 1024, 952}));
    EXPECT_EQ(comm_.written, bytes);
    EXPECT_EQ(comm_.queued(), 0);
    drainDevice();
    EXPECT_EQ(comm_.Pending(), 0);
    EXPECT_FALSE(comm_.WriteFailed());
}

TEST_F(WritePumpTest, ShortWriteIsReportedAndKeepsTheBytes)
{
    comm_.shortBy = 1;
    const Bytes bytes = link_testing::patternBytes(100);
    comm_.Send(bytes.data(), 100);
    EXPECT_TRUE(comm_.WriteFailed());
    EXPECT_EQ(comm_.queued(), 100);

    comm_.Close();
    EXPECT_FALSE(comm_.WriteFailed());
}

TEST_F(WritePumpTest, CloseDiscardsWhatWasNotHandedOver)
{
    const Bytes bytes = link_testing::patternBytes(3000);
    comm_.Send(bytes.data(), 3000);
    comm_.Close();
    EXPECT_EQ(comm_.queued(), 0);
    EXPECT_EQ(comm_.Pending(), 0);

    ASSERT_TRUE(comm_.Open(kPort, "9600,N,8,1"));
    drainDevice();
    const Bytes next{0xFE, 0xFD};
    comm_.Send(next.data(), 2);
    EXPECT_EQ(comm_.pieces, (std::vector<std::int32_t>{1024, 2}));
}

} // namespace
