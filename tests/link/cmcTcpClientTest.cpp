#include "LinkTestSupport.h"

#include "link/cmcTcpClient.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <memory>

namespace {

using link_testing::Bytes;
using link_testing::pumpUntil;

TEST(cmcTcpClientAddress, AcceptsOnlyDottedDecimalIPv4)
{
    struct Case {
        const char *text;
        std::optional<std::uint32_t> address;
    } cases[] = {
        {"127.0.0.1", 0x7F000001u},
        {"192.168.1.254", 0xC0A801FEu},
        {"0.0.0.0", 0u},
        {"010.0.0.1", 0x0A000001u},
        {"192.168.1.300", std::nullopt},
        {"192.168.1.256", std::nullopt},
        {"255.255.255.255", std::nullopt},
        {"localhost", std::nullopt},
        {"radio.example", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1.2.3.4.5", std::nullopt},
        {"1..2.3", std::nullopt},
        {"1.2.3.", std::nullopt},
        {" 1.2.3.4", std::nullopt},
        {"1.2.3.4 ", std::nullopt},
        {"1.2.3.-4", std::nullopt},
        {"1.2.3.0004", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(cmcTcpClient::ParseAddress(c.text), c.address) << '"' << c.text << '"';
}

class TcpClientTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server_.listen(QHostAddress::LocalHost)); }

    bool connectClient()
    {
        QTcpSocket *peer = link_testing::connectToServer(client_, server_);
        if (peer == nullptr)
            return false;
        peer_.reset(peer);
        return true;
    }

    Bytes peerReceive(std::size_t count) { return link_testing::readFromSocket(*peer_, count); }

    QTcpServer server_;
    std::unique_ptr<QTcpSocket> peer_;
    cmcTcpClient client_;
};

TEST_F(TcpClientTest, BadAddressesFailWithoutConnecting)
{
    for (const char *address : {"127.0.0.300", "localhost"}) {
        EXPECT_FALSE(client_.Open(server_.serverPort(), address)) << address;
        EXPECT_FALSE(client_.IsOpen()) << address;
    }
    // Only the good connect below reaches the server.
    ASSERT_TRUE(connectClient());
    EXPECT_FALSE(server_.hasPendingConnections());
}

TEST_F(TcpClientTest, RefusesDataThatWouldFillTheQueue)
{
    ASSERT_TRUE(connectClient());
    const Bytes bytes = link_testing::patternBytes(cmcTcpClient::kQueueLimit);

    EXPECT_EQ(client_.Send(bytes.data(), 32000), 0);
    EXPECT_EQ(client_.queued(), 0);
    EXPECT_EQ(client_.Send(bytes.data(), 31999), 31999);
    // The first piece left at once.
    EXPECT_EQ(client_.queued(), 31999 - 1024);
    EXPECT_EQ(client_.Send(bytes.data(), 1025), 0);
    EXPECT_EQ(client_.Send(bytes.data(), 1024), 1024);
    EXPECT_EQ(client_.queued(), 31999 - 1024); // that Send pumped one piece too
}

TEST_F(TcpClientTest, QueuedBytesLeaveInPiecesOfTheLimit)
{
    ASSERT_TRUE(connectClient());
    const Bytes bytes = link_testing::patternBytes(3000);
    client_.Send(bytes.data(), 3000);

    std::vector<std::int32_t> seen{client_.queued()};
    ASSERT_TRUE(pumpUntil([&] {
        if (client_.queued() != seen.back())
            seen.push_back(client_.queued());
        return client_.queued() == 0;
    }));
    EXPECT_EQ(seen, (std::vector<std::int32_t>{1976, 952, 0}));
    EXPECT_EQ(peerReceive(3000), bytes);
}

TEST_F(TcpClientTest, DropOutputForgetsQueuedBytes)
{
    ASSERT_TRUE(connectClient());
    const Bytes bytes = link_testing::patternBytes(5000);
    client_.Send(bytes.data(), 5000);
    client_.DropOutput();
    EXPECT_EQ(client_.queued(), 0);
}

TEST_F(TcpClientTest, DroppedOutputNoLongerCountsWhatTheSocketHolds)
{
    // While the connect is under way the socket holds what it was given.
    ASSERT_TRUE(client_.Open(server_.serverPort(), "127.0.0.1"));
    const Bytes bytes = link_testing::patternBytes(100);
    client_.Send(bytes.data(), 100);
    if (client_.Pending() == 0)
        GTEST_SKIP() << "the connect completed at once";
    EXPECT_EQ(client_.queued(), 0);
    client_.DropOutput();
    EXPECT_EQ(client_.Pending(), 0);
}

TEST_F(TcpClientTest, BytesSentWhileConnectingLeaveOnceConnected)
{
    ASSERT_TRUE(client_.Open(server_.serverPort(), "127.0.0.1"));
    const Bytes bytes = link_testing::patternBytes(100);
    client_.Send(bytes.data(), 100);
    ASSERT_TRUE(pumpUntil([&] { return server_.hasPendingConnections(); }));
    peer_.reset(server_.nextPendingConnection());
    EXPECT_EQ(peerReceive(100), bytes);
    EXPECT_TRUE(client_.IsOpen());
}

TEST_F(TcpClientTest, CloseClearsTheConnectedFlagForEveryClient)
{
    ASSERT_TRUE(connectClient());
    cmcTcpClient other;
    EXPECT_FALSE(client_.IsConnecting());
    EXPECT_FALSE(other.IsConnecting());

    client_.Close();
    EXPECT_TRUE(client_.IsConnecting());
    EXPECT_TRUE(other.IsConnecting());

    // The next operation waits for its own connect again.
    ASSERT_TRUE(connectClient());
    EXPECT_FALSE(client_.IsConnecting());
}

TEST_F(TcpClientTest, FailedConnectEndsTheWait)
{
    const quint16 unused = server_.serverPort();
    server_.close();
    if (client_.Open(unused, "127.0.0.1")) {
        EXPECT_TRUE(pumpUntil([&] { return !client_.IsConnecting(); }));
        // Sending goes nowhere; the protocol's time-out reports it.
        const Bytes bytes{1, 2, 3};
        client_.Send(bytes.data(), 3);
        std::uint8_t buffer[8];
        EXPECT_EQ(client_.Read(buffer, sizeof buffer), 0);
    } else {
        EXPECT_FALSE(client_.IsOpen());
    }
}

} // namespace
