#include "VirtualRadioProcess.h"

#include <QDeadlineTimer>

namespace {

constexpr int kStartLimitMs = 10000;

} // namespace

VirtualRadioProcess::VirtualRadioProcess()
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

VirtualRadioProcess::~VirtualRadioProcess() { stop(); }

QString VirtualRadioProcess::program() { return QStringLiteral(QUILLON_VRADIO_PROGRAM); }

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

QString VirtualRadioProcess::start(const QStringList &arguments)
{
    stop();
    process_.start(program(), arguments);
    if (!process_.waitForStarted(kStartLimitMs))
        return {};
    // The first line tells where the radio listens.
    const QDeadlineTimer deadline(kStartLimitMs);
    while (!process_.canReadLine()) {
        if (deadline.hasExpired() ||
            !process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            stop();
            return {};
        }
    }
    return QString::fromUtf8(process_.readLine()).trimmed();
}

void VirtualRadioProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}
