// The behaviour every link to the radio shares, run against the fake the
// clone driver's tests use, the serial port on a pseudo-terminal and the TCP
// client against a local server, so the fake cannot drift from the real ones.
#include "LinkTestSupport.h"

#include "link/PortMap.h"
#include "link/cmcComm.h"
#include "link/cmcTcpClient.h"
#include "platform/RegistryStore.h"
#include "support/FakeTransport.h"
#include "support/TestPaths.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <memory>

namespace {

using link_testing::Bytes;
using link_testing::pumpUntil;

class FakeLink
{
public:
    bool ready() const { return true; }
    cmcTransport &transport() { return fake_; }
    bool open() { return fake_.Open(1, "9600,N,8,1"); }
    void peerSend(const Bytes &bytes) { fake_.feed(bytes); }
    Bytes peerReceive(std::size_t) { return fake_.sentBytes(); }

private:
    testing_support::FakeTransport fake_;
};

class SerialLink
{
public:
    static constexpr std::int32_t kPort = 200;

    SerialLink()
    {
        platform::RegistryStore::writeString(PortMap::settingsKey(), PortMap::overrideName(kPort),
                                             pty_.slavePath());
    }
    bool ready() const { return pty_.valid(); }
    cmcTransport &transport() { return comm_; }
    bool open() { return comm_.Open(kPort, "9600,N,8,1"); }
    void peerSend(const Bytes &bytes) { pty_.write(bytes); }
    Bytes peerReceive(std::size_t count) { return pty_.read(count); }

private:
    testing_support::ScopedSettingsSandbox sandbox_;
    link_testing::PseudoTerminal pty_;
    cmcComm comm_;
};

class TcpLink
{
public:
    TcpLink() { server_.listen(QHostAddress::LocalHost); }
    bool ready() const { return server_.isListening(); }
    cmcTransport &transport() { return client_; }

    bool open()
    {
        QTcpSocket *peer = link_testing::connectToServer(client_, server_);
        if (peer == nullptr)
            return false;
        peer_.reset(peer);
        return true;
    }
    void peerSend(const Bytes &bytes)
    {
        peer_->write(reinterpret_cast<const char *>(bytes.data()),
                     static_cast<qint64>(bytes.size()));
    }
    Bytes peerReceive(std::size_t count) { return link_testing::readFromSocket(*peer_, count); }

private:
    QTcpServer server_;
    std::unique_ptr<QTcpSocket> peer_;
    cmcTcpClient client_;
};

template <class Link>
class TransportContract : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!link_.ready())
            GTEST_SKIP() << "the link's far end cannot be set up here";
    }

    cmcTransport &transport() { return link_.transport(); }

    Link link_;
};

using Links = ::testing::Types<FakeLink, SerialLink, TcpLink>;
TYPED_TEST_SUITE(TransportContract, Links);

TYPED_TEST(TransportContract, ClosedLinkQueuesAndReadsNothing)
{
    cmcTransport &link = this->transport();
    const Bytes bytes = link_testing::patternBytes(10);
    std::uint8_t buffer[16];

    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(link.Send(bytes.data(), 10), 0);
    EXPECT_EQ(link.Pending(), 0);
    EXPECT_EQ(link.Read(buffer, sizeof buffer), 0);
}

TYPED_TEST(TransportContract, SecondOpenIsRefusedAndTheLinkStaysUsable)
{
    ASSERT_TRUE(this->link_.open());
    EXPECT_FALSE(this->link_.open());
    EXPECT_TRUE(this->transport().IsOpen());

    const Bytes bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0xFD};
    this->transport().Send(bytes.data(), 6);
    EXPECT_EQ(this->link_.peerReceive(6), bytes);
}

TYPED_TEST(TransportContract, CarriesEveryByteValueBothWays)
{
    ASSERT_TRUE(this->link_.open());
    const Bytes out = link_testing::patternBytes(3000);
    this->transport().Send(out.data(), static_cast<std::int32_t>(out.size()));
    EXPECT_EQ(this->link_.peerReceive(out.size()), out);

    const Bytes in = link_testing::patternBytes(700);
    this->link_.peerSend(in);
    EXPECT_EQ(link_testing::readFromTransport(this->transport(), in.size(), 64), in);
    EXPECT_TRUE(pumpUntil([&] { return this->transport().Pending() == 0; }));
}

TYPED_TEST(TransportContract, ReadReturnsAtOnceWhenNothingArrived)
{
    ASSERT_TRUE(this->link_.open());
    std::uint8_t buffer[256];
    EXPECT_EQ(this->transport().Read(buffer, sizeof buffer), 0);
}

TYPED_TEST(TransportContract, CloseEndsTheLinkAndItOpensAgain)
{
    ASSERT_TRUE(this->link_.open());
    this->transport().Close();
    this->transport().Close();
    EXPECT_FALSE(this->transport().IsOpen());
    EXPECT_EQ(this->transport().Pending(), 0);

    ASSERT_TRUE(this->link_.open());
    const Bytes bytes{1, 2, 3};
    this->link_.peerSend(bytes);
    EXPECT_EQ(link_testing::readFromTransport(this->transport(), 3, 256), bytes);
}

} // namespace
