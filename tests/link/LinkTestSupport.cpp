#include "LinkTestSupport.h"

#include "link/cmcTcpClient.h"
#include "link/cmcTransport.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>

namespace link_testing {

Bytes patternBytes(std::size_t count)
{
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t round = i / 256;
        const auto value = static_cast<std::uint8_t>(i % 256);
        bytes[i] = round % 2 == 0 ? value : static_cast<std::uint8_t>(255 - value);
    }
    return bytes;
}

Bytes readFromTransport(cmcTransport &transport, std::size_t count, std::int32_t maximum)
{
    Bytes got;
    Bytes chunk(static_cast<std::size_t>(maximum) + 16);
    pumpUntil([&] {
        const std::int32_t n = transport.Read(chunk.data(), maximum);
        EXPECT_LE(n, maximum);
        got.insert(got.end(), chunk.begin(), chunk.begin() + std::max(n, 0));
        return got.size() >= count;
    });
    return got;
}

QTcpSocket *connectToServer(cmcTcpClient &client, QTcpServer &server)
{
    if (!client.Open(server.serverPort(), "127.0.0.1"))
        return nullptr;
    if (!pumpUntil([&] { return server.hasPendingConnections() && !client.IsConnecting(); }))
        return nullptr;
    return server.nextPendingConnection();
}

Bytes readFromSocket(QTcpSocket &socket, std::size_t count)
{
    Bytes got;
    pumpUntil([&] {
        const QByteArray data = socket.readAll();
        got.insert(got.end(), data.begin(), data.end());
        return got.size() >= count;
    });
    return got;
}

PseudoTerminal::PseudoTerminal()
{
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    slavePath_ = name;
    termios raw{};
    ::tcgetattr(slave_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave_, TCSANOW, &raw);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

void PseudoTerminal::write(const Bytes &bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (errno != EAGAIN && errno != EINTR)
            break;
    }
}

Bytes PseudoTerminal::read(std::size_t count)
{
    Bytes got;
    std::uint8_t chunk[4096];
    pumpUntil([&] {
        const ssize_t n = ::read(master_, chunk, sizeof chunk);
        if (n > 0)
            got.insert(got.end(), chunk, chunk + n);
        return got.size() >= count;
    });
    return got;
}

} // namespace link_testing
