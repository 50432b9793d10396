#include "link/cmcTcpClient.h"

#include "platform/cmcTask.h"

#include <QHostAddress>
#include <QTcpSocket>

#include <algorithm>
#include <climits>

namespace {

bool g_connected = false;

std::optional<std::uint32_t> decimalPart(const std::string &part)
{
    if (part.empty() || part.size() > 3)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : part) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value > 255)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::uint32_t> cmcTcpClient::ParseAddress(const std::string &text)
{
    std::uint32_t address = 0;
    std::size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        const bool last = part == 3;
        const std::size_t end = last ? text.size() : text.find('.', start);
        if (end == std::string::npos)
            return std::nullopt;
        const auto value = decimalPart(text.substr(start, end - start));
        if (!value)
            return std::nullopt;
        address = (address << 8) | *value;
        start = end + 1;
    }
    if (address == 0xFFFFFFFFu)
        return std::nullopt;
    return address;
}

cmcTcpClient::cmcTcpClient() : pump_(new cmcTask) { pump_->Bind(&cmcTcpClient::pumpHandler, this); }

cmcTcpClient::~cmcTcpClient()
{
    Close();
    cmcTask::dispose(pump_);
}

void cmcTcpClient::ConnectNotification() { g_connected = true; }

std::unique_ptr<QTcpSocket> cmcTcpClient::createSocket()
{
    auto socket = std::make_unique<QTcpSocket>();
    QTcpSocket *raw = socket.get();
    QObject::connect(raw, &QTcpSocket::connected, raw, &cmcTcpClient::ConnectNotification);
    // A connect that fails also ends the wait; the protocol's time-out then
    // reports it. Without this the driver would wait for a connect forever.
    QObject::connect(raw, &QTcpSocket::errorOccurred, raw, [](QAbstractSocket::SocketError error) {
        if (error != QAbstractSocket::SocketTimeoutError)
            ConnectNotification();
    });
    return socket;
}

bool cmcTcpClient::Open(std::int32_t port, const std::string &address)
{
    if (IsOpen())
        return false;
    g_connected = false;
    outputDropped_ = false;
    port_ = static_cast<std::uint16_t>(port);
    address_ = ParseAddress(address);
    if (!address_) {
        Close();
        return false;
    }
    socket_ = createSocket();
    // A connect that succeeds at once reports connected() from inside this
    // call, so the signal is wired before.
    socket_->connectToHost(QHostAddress(*address_), port_);
    if (socket_->state() == QAbstractSocket::UnconnectedState) {
        // Refused before it could go on in the background.
        Close();
        return false;
    }
    return IsOpen();
}

void cmcTcpClient::Close()
{
    address_.reset();
    g_connected = false;
    if (socket_) {
        socket_->disconnect();
        socket_->abort();
        socket_.reset();
    }
    pump_->SetPeriod(-1);
    outgoing_.Clear();
}

bool cmcTcpClient::IsOpen() const { return address_.has_value() && socket_ != nullptr; }

bool cmcTcpClient::IsConnecting() const { return !g_connected; }

std::int32_t cmcTcpClient::Send(const std::uint8_t *bytes, std::int32_t count)
{
    if (!IsOpen() || count <= 0 || count >= kQueueLimit - outgoing_.Length())
        return 0;
    pump_->SetPeriod(-1);
    outputDropped_ = false;
    outgoing_.Append(bytes, count);
    pump_->SetPeriod(0);
    PumpStep();
    return count;
}

std::int32_t cmcTcpClient::Read(std::uint8_t *buffer, std::int32_t maximum)
{
    if (!IsOpen() || maximum <= 0)
        return 0;
    const qint64 got = socket_->read(reinterpret_cast<char *>(buffer), maximum);
    return got > 0 ? static_cast<std::int32_t>(got) : 0;
}

std::int32_t cmcTcpClient::Pending()
{
    const qint64 inSocket = socket_ && !outputDropped_ ? socket_->bytesToWrite() : 0;
    return static_cast<std::int32_t>(std::min<qint64>(outgoing_.Length() + inSocket, INT32_MAX));
}

void cmcTcpClient::DropOutput()
{
    // The socket may hold bytes a stalled peer never takes; once dropped
    // they no longer count, or the driver would wait for them forever.
    outgoing_.SetLength(0);
    outputDropped_ = true;
}

void cmcTcpClient::pumpHandler(void *context, cmcTask *)
{
    static_cast<cmcTcpClient *>(context)->PumpStep();
}

void cmcTcpClient::PumpStep()
{
    if (!IsOpen() || outgoing_.Length() == 0) {
        pump_->SetPeriod(-1);
        return;
    }
    const std::int32_t n = std::min(outgoing_.Length(), kPieceSize);
    const qint64 accepted = socket_->write(reinterpret_cast<const char *>(outgoing_.Data()), n);
    if (accepted > 0) {
        // Flushing a socket whose connect is still under way breaks it; the
        // socket sends what it holds once connected.
        if (socket_->state() == QAbstractSocket::ConnectedState)
            socket_->flush();
        dropFront(static_cast<std::int32_t>(accepted));
    }
    if (accepted < n) {
        // What the socket refused stays queued for the next Send, or for
        // DropOutput after the protocol's time-out.
        pump_->SetPeriod(-1);
        return;
    }
    pump_->SetPeriod(outgoing_.Length() > 0 ? kPumpPeriodMs : -1);
}

void cmcTcpClient::dropFront(std::int32_t count)
{
    outgoing_.Assign(outgoing_.Data() + count, outgoing_.Length() - count);
}
