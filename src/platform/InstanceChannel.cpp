#include "platform/InstanceChannel.h"

#include "platform/InstanceLock.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace platform {

namespace {

constexpr char kTaken[] = "ok\n";
constexpr int kRetryMs = 50;

} // namespace

InstanceChannel::InstanceChannel(const std::string &mutexName) : path_(socketPath(mutexName)) {}

InstanceChannel::~InstanceChannel()
{
    if (server_ != nullptr)
        server_->close();
}

std::string InstanceChannel::socketPath(const std::string &mutexName)
{
    std::string path = InstanceLock::lockPath(mutexName);
    const std::string lockEnd = ".lock";
    if (path.size() >= lockEnd.size() &&
        path.compare(path.size() - lockEnd.size(), lockEnd.size(), lockEnd) == 0)
        path.erase(path.size() - lockEnd.size());
    return path + ".socket";
}

bool InstanceChannel::Listen(Handler handler)
{
    handler_ = std::move(handler);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString path = QString::fromStdString(path_);
    // Whoever holds the lock owns the socket; one that is left over belongs
    // to a program that is gone.
    QLocalServer::removeServer(path);
    if (!server_->listen(path))
        return false;
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                     [this] { Accept(); });
    return true;
}

void InstanceChannel::Accept()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kLongestLine)
                    socket->abort();
                return;
            }
            const QByteArray line = socket->readLine(kLongestLine + 1);
            socket->write(kTaken);
            socket->flush();
            socket->disconnectFromServer();
            if (line.endsWith('\n') && handler_)
                handler_(line.chopped(1).toStdString());
        });
    }
}

bool InstanceChannel::Send(const std::string &mutexName, const std::string &line, int waitMs)
{
    if (line.size() > std::size_t(kLongestLine) || line.find('\n') != std::string::npos)
        return false;
    const QDeadlineTimer deadline(waitMs);
    const QString path = QString::fromStdString(socketPath(mutexName));
    QLocalSocket socket;
    while (true) {
        socket.connectToServer(path);
        if (socket.waitForConnected(int(std::max<qint64>(deadline.remainingTime(), 0))))
            break;
        if (deadline.hasExpired())
            return false;
        // The running program may still be on its way to listening.
        QThread::msleep(kRetryMs);
    }
    socket.write(QByteArray::fromStdString(line) + '\n');
    if (!socket.waitForBytesWritten(int(std::max<qint64>(deadline.remainingTime(), 0))))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 0))))
            return false;
    }
    return socket.readLine() == kTaken;
}

} // namespace platform
