#include "TcpChannel.h"

namespace vradio {

namespace {

// Small enough that a paced radio leaves unread bytes in the connection and
// the sender feels it.
constexpr qint64 kReadBuffer = 4096;

} // namespace

bool TcpChannel::listen(const QHostAddress &address, quint16 port)
{
    QObject::connect(&server_, &QTcpServer::newConnection, &server_,
                     [this] { acceptConnection(); });
    return server_.listen(address, port);
}

void TcpChannel::acceptConnection()
{
    while (QTcpSocket *next = server_.nextPendingConnection()) {
        if (socket_)
            socket_->abort();
        socket_.reset(next);
        socket_->setParent(nullptr);
        socket_->setReadBufferSize(kReadBuffer);
        newSession_ = true;
    }
}

bool TcpChannel::connected() const
{
    return socket_ && socket_->state() == QAbstractSocket::ConnectedState;
}

std::size_t TcpChannel::readSome(std::uint8_t *buffer, std::size_t maximum)
{
    if (!socket_ || maximum == 0)
        return 0;
    const qint64 n = socket_->read(reinterpret_cast<char *>(buffer), static_cast<qint64>(maximum));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

std::size_t TcpChannel::writeSome(const std::uint8_t *bytes, std::size_t count)
{
    if (!connected() || count == 0)
        return 0;
    const qint64 n =
        socket_->write(reinterpret_cast<const char *>(bytes), static_cast<qint64>(count));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

bool TcpChannel::takeNewSession()
{
    const bool fresh = newSession_;
    newSession_ = false;
    return fresh;
}

} // namespace vradio
