// The radio program itself, started as a child process and reached through
// the program's own transports, as the end-to-end tests will use it.
#include "VirtualRadioProcess.h"
#include "MemoryFile.h"
#include "RadioTestSupport.h"

#include "link/PortMap.h"
#include "link/cmcComm.h"
#include "link/cmcTcpClient.h"
#include "platform/RegistryStore.h"
#include "support/TestPaths.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <iostream>

namespace {

using namespace vradio_testing;

bool pumpUntil(const std::function<bool()> &done)
{
    QTimer wakeUp;
    wakeUp.start(2);
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Everything the transport delivers until the given number of frames (and
// bytes outside frames, for acknowledgements) came.
Bytes receive(cmcTransport &link, const std::function<bool(const Bytes &)> &complete)
{
    Bytes got;
    std::uint8_t buffer[256];
    pumpUntil([&] {
        while (const std::int32_t n = link.Read(buffer, sizeof buffer))
            got.insert(got.end(), buffer, buffer + n);
        return complete(got);
    });
    return got;
}

std::function<bool(const Bytes &)> frames(std::size_t count)
{
    return [count](const Bytes &got) { return framesIn(got).size() >= count; };
}

// Opens the client on the radio's port and waits for the connect.
bool connectTo(cmcTcpClient &client, quint16 port)
{
    return client.Open(port, "127.0.0.1") && pumpUntil([&] { return !client.IsConnecting(); });
}

void send(cmcTransport &link, const Bytes &bytes)
{
    link.Send(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

class SerialRadio : public ::testing::Test
{
protected:
    static constexpr std::int32_t kPort = 160;

    bool start(const QStringList &arguments = {})
    {
        const std::string device = radio_.startOnPty(arguments);
        if (device.empty())
            return false;
        platform::RegistryStore::writeString(PortMap::settingsKey(), PortMap::overrideName(kPort),
                                             device);
        return comm_.Open(kPort, "9600,N,8,1");
    }

    testing_support::ScopedSettingsSandbox sandbox_;
    VirtualRadioProcess radio_;
    cmcComm comm_;
};

TEST_F(SerialRadio, AnswersAnIdRequestOnItsPseudoTerminal)
{
    ASSERT_TRUE(start());
    send(comm_, requestFrame(0xE0, 12));
    const auto got = framesIn(receive(comm_, frames(1)));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(Bytes(got[0].begin(), got[0].begin() + 8),
              (Bytes{0xFE, 0xEF, 0xEE, 0xE1, 0x30, 0x79, 0x00, 0x00}));
    EXPECT_EQ(got[0].size(), 8u + 127u);
}

TEST_F(SerialRadio, ReadDeliversTheWholeMemoryIntact)
{
    const std::size_t dataFrames = vradio::VirtualRadio::kMemorySize / 16;
    ASSERT_TRUE(start());
    send(comm_, requestFrame(0xE2, 12));
    const auto got = framesIn(receive(comm_, frames(dataFrames + 1)));
    ASSERT_EQ(got.size(), dataFrames + 1);
    Bytes memory;
    for (std::size_t i = 0; i < dataFrames; ++i) {
        const Bytes payload = dataPayload(got[i]);
        ASSERT_EQ(payload.size(), 20u) << i;
        memory.insert(memory.end(), payload.begin() + 3, payload.end() - 1);
    }
    EXPECT_EQ(memory, vradio::MemoryFile::blankMemory(vradio::VirtualRadio::kMemorySize));
    EXPECT_EQ(got.back()[3], 0xE5);
}

TEST_F(SerialRadio, PacedAndNoisyLineStillCarriesTheReply)
{
    ASSERT_TRUE(start({"--baud-pace", "38400", "--noise", "20"}));
    // The port closes and opens again between steps of a clone operation.
    comm_.Close();
    ASSERT_TRUE(comm_.Open(kPort, "38400,N,8,1"));
    send(comm_, speedSelectFrame(false));
    send(comm_, requestFrame(0xE0, 48));
    const auto got = framesIn(receive(comm_, frames(1)));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0][3], 0xE1);
}

TEST(TcpRadio, TakesAWriteAndSavesIt)
{
    QTemporaryDir dir;
    const std::string saved = dir.filePath("saved.vrc").toStdString();
    VirtualRadioProcess radio;
    const quint16 port = radio.startOnTcp({"--save", QString::fromStdString(saved)});
    ASSERT_NE(port, 0);

    cmcTcpClient client;
    ASSERT_TRUE(connectTo(client, port));
    send(client, requestFrame(0xE3));
    EXPECT_EQ(receive(client, [](const Bytes &b) { return !b.empty(); }), Bytes{0xFB});

    Bytes frames;
    for (int address = 0x200; address < 0x280; address += 16) {
        const Bytes frame = dataFrame(static_cast<std::uint16_t>(address), Bytes(16, 0xA5));
        frames.insert(frames.end(), frame.begin(), frame.end());
    }
    send(client, frames);
    EXPECT_EQ(receive(client, [](const Bytes &b) { return !b.empty(); }), Bytes{0xFB});
    send(client, endFrame(8));
    const auto reply = framesIn(receive(client, ::frames(1)));
    ASSERT_EQ(reply.size(), 1u);
    EXPECT_EQ(reply[0], (Bytes{0xFE, 0xEF, 0xEE, 0xE6, 0x00}));

    const std::string text = testing_support::readFile(saved);
    EXPECT_NE(text.find("\r\n020010A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5\r\n"), std::string::npos);
    // The identification bytes of the blank memory are still there.
    EXPECT_NE(text.find("\r\n010010564F524E20496E6301"), std::string::npos);
}

// The fault options of the command line reach the radio: the first data
// frame of a read carries a spoiled checksum, and the first block of a write
// is refused.
TEST(TcpRadio, FaultOptionsReachTheRadio)
{
    VirtualRadioProcess radio;
    const quint16 port = radio.startOnTcp({"--corrupt-checksum", "1", "--refuse-block", "1"});
    ASSERT_NE(port, 0);

    cmcTcpClient reading;
    ASSERT_TRUE(connectTo(reading, port));
    send(reading, requestFrame(0xE2));
    const auto got = framesIn(receive(reading, frames(2)));
    ASSERT_GE(got.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const Bytes payload = dataPayload(got[i]);
        ASSERT_EQ(payload.size(), 20u) << i;
        std::uint8_t sum = 0;
        for (const std::uint8_t b : payload)
            sum = static_cast<std::uint8_t>(sum + b);
        EXPECT_EQ(sum != 0, i == 0) << "frame " << i;
    }
    reading.Close();

    cmcTcpClient writing;
    ASSERT_TRUE(connectTo(writing, port));
    send(writing, requestFrame(0xE3));
    EXPECT_EQ(receive(writing, [](const Bytes &b) { return !b.empty(); }), Bytes{0xFB});
    Bytes block;
    for (int address = 0; address < vradio::VirtualRadio::kBlockSize; address += 16) {
        const Bytes frame = dataFrame(static_cast<std::uint16_t>(address), Bytes(16, 0x5A));
        block.insert(block.end(), frame.begin(), frame.end());
    }
    send(writing, block);
    EXPECT_EQ(receive(writing, [](const Bytes &b) { return !b.empty(); }), Bytes{0xFA});
}

// Every clone operation connects afresh, straight to the radio or through
// a ser2net bridge to its pseudo-terminal.
TEST(TcpRadio, ServesOneConnectionAfterAnother)
{
    struct Way {
        const char *name;
        bool needsBridge;
        quint16 (*start)(VirtualRadioProcess &);
    } ways[] = {
        {"direct", false, [](VirtualRadioProcess &radio) { return radio.startOnTcp(); }},
        {"ser2net", true, [](VirtualRadioProcess &radio) { return radio.startBehindBridge(); }},
    };
    for (const Way &way : ways) {
        if (way.needsBridge && !VirtualRadioProcess::bridgeAvailable()) {
            std::cerr << "ser2net is not installed; the bridged case is left out\n";
            continue;
        }
        VirtualRadioProcess radio;
        const quint16 port = way.start(radio);
        ASSERT_NE(port, 0) << way.name;
        for (int round = 0; round < 3; ++round) {
            cmcTcpClient client;
            ASSERT_TRUE(connectTo(client, port)) << way.name;
            send(client, requestFrame(0xE0));
            const auto got = framesIn(receive(client, frames(1)));
            ASSERT_EQ(got.size(), 1u) << way.name << ' ' << round;
            EXPECT_EQ(got[0].size(), 8u + 127u) << way.name << ' ' << round;
        }
    }
}

} // namespace
