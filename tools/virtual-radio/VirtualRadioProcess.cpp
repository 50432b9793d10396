#include "VirtualRadioProcess.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace {

constexpr int kStartLimitMs = 10000;

void end(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

// A port nobody listens on right now.
quint16 freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}

bool acceptsConnections(quint16 port)
{
    const QDeadlineTimer deadline(kStartLimitMs);
    while (!deadline.hasExpired()) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        if (probe.waitForConnected(200)) {
            probe.abort();
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

} // namespace

VirtualRadioProcess::VirtualRadioProcess()
{
    radio_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    bridge_.setProcessChannelMode(QProcess::ForwardedChannels);
}

VirtualRadioProcess::~VirtualRadioProcess() { stop(); }

QString VirtualRadioProcess::program() { return QStringLiteral(QUILLON_VRADIO_PROGRAM); }

QString VirtualRadioProcess::bridgeScript() { return QStringLiteral(QUILLON_VRADIO_BRIDGE_SCRIPT); }

bool VirtualRadioProcess::bridgeAvailable()
{
    const QString inPath = QStandardPaths::findExecutable(QStringLiteral("ser2net"));
    return !inPath.isEmpty() ||
           !QStandardPaths::findExecutable(QStringLiteral("ser2net"),
                                           {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                .isEmpty();
}

std::string VirtualRadioProcess::startOnPty(const QStringList &arguments)
{
    return start(arguments).toStdString();
}

quint16 VirtualRadioProcess::startOnTcp(const QStringList &arguments)
{
    bool ok = false;
    const uint port = start(QStringList{"--tcp", "0"} + arguments).toUInt(&ok);
    return ok && port <= 65535 ? static_cast<quint16>(port) : 0;
}

quint16 VirtualRadioProcess::startBehindBridge(const QStringList &arguments, int baud)
{
    const QString device = start(arguments);
    const quint16 port = freePort();
    if (device.isEmpty() || port == 0)
        return 0;
    bridge_.start(bridgeScript(), {device, QString::number(port), QString::number(baud)});
    if (!bridge_.waitForStarted(kStartLimitMs) || !acceptsConnections(port)) {
        stop();
        return 0;
    }
    return port;
}

QString VirtualRadioProcess::start(const QStringList &arguments)
{
    stop();
    radio_.start(program(), arguments);
    if (!radio_.waitForStarted(kStartLimitMs))
        return {};
    // The first line tells where the radio listens.
    const QDeadlineTimer deadline(kStartLimitMs);
    while (!radio_.canReadLine()) {
        if (deadline.hasExpired() ||
            !radio_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            stop();
            return {};
        }
    }
    return QString::fromUtf8(radio_.readLine()).trimmed();
}

void VirtualRadioProcess::stop()
{
    end(bridge_);
    end(radio_);
}
