#pragma once

#include "ByteChannel.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

namespace vradio {

// A TCP port the program connects to as to a serial bridge. The program
// connects afresh for every clone operation, so the port keeps listening;
// the newest connection is the one served.
class TcpChannel : public ByteChannel
{
public:
    // Port 0 picks a free port.
    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const { return server_.serverPort(); }

    std::size_t readSome(std::uint8_t *buffer, std::size_t maximum) override;
    std::size_t writeSome(const std::uint8_t *bytes, std::size_t count) override;
    bool takeNewSession() override;

private:
    void acceptConnection();
    bool connected() const;

    QTcpServer server_;
    std::unique_ptr<QTcpSocket> socket_;
    bool newSession_ = false;
};

} // namespace vradio
