#include "link/cmcComm.h"

#include "link/PortMap.h"
#include "link/PortProblem.h"
#include "platform/cmcTask.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QElapsedTimer>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace {

// A C decimal number at the start of the text: blanks, a sign, digits; 0
// when there are none.
std::int32_t leadingNumber(const std::string &text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<std::int32_t>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
}

std::vector<std::string> splitFields(const std::string &text)
{
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

cmcComm::Parity parityOf(const std::string &field)
{
    struct Letter {
        char letter;
        cmcComm::Parity parity;
    };
    static constexpr Letter kLetters[] = {
        {'E', cmcComm::Parity::Even},
        {'O', cmcComm::Parity::Odd},
        {'M', cmcComm::Parity::Mark},
        {'S', cmcComm::Parity::Space},
    };
    if (field.size() == 1) {
        const char upper = static_cast<char>(field[0] & ~0x20);
        for (const Letter &l : kLetters) {
            if (l.letter == upper)
                return l.parity;
        }
    }
    return cmcComm::Parity::None;
}

QSerialPort::Parity qtParity(cmcComm::Parity parity)
{
    switch (parity) {
    case cmcComm::Parity::Even:
        return QSerialPort::EvenParity;
    case cmcComm::Parity::Odd:
        return QSerialPort::OddParity;
    case cmcComm::Parity::Mark:
        return QSerialPort::MarkParity;
    case cmcComm::Parity::Space:
        return QSerialPort::SpaceParity;
    case cmcComm::Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits qtStopBits(cmcComm::StopBits stopBits)
{
    switch (stopBits) {
    case cmcComm::StopBits::OneAndHalf:
        return QSerialPort::OneAndHalfStop;
    case cmcComm::StopBits::Two:
        return QSerialPort::TwoStop;
    case cmcComm::StopBits::One:
        break;
    }
    return QSerialPort::OneStop;
}

PortProblem::OpenError openErrorOf(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return PortProblem::OpenError::NotFound;
    case QSerialPort::PermissionError:
        return PortProblem::OpenError::Refused;
    default:
        break;
    }
    return PortProblem::OpenError::Other;
}

// Milliseconds a write may take: the line time of the bytes (rounded down to
// whole milliseconds per byte) plus three seconds of grace.
qint64 writeAllowanceMs(std::int32_t baud, std::int32_t count)
{
    const qint64 perByte = baud > 0 ? 100000 / baud : 0;
    return perByte * count + 3000;
}

} // namespace

cmcComm::Settings cmcComm::ParseSettings(const std::string &text)
{
    Settings settings;
    const std::vector<std::string> fields = splitFields(text);
    if (!fields[0].empty())
        settings.baud = leadingNumber(fields[0]);
    if (fields.size() > 1)
        settings.parity = parityOf(fields[1]);
    if (fields.size() > 2)
        settings.dataBits = std::clamp(leadingNumber(fields[2]), 4, 8);
    if (fields.size() > 3) {
        if (fields[3] == "1.5")
            settings.stopBits = StopBits::OneAndHalf;
        else if (fields[3] == "2")
            settings.stopBits = StopBits::Two;
    }
    return settings;
}

cmcComm::cmcComm() : pump_(new cmcTask) { pump_->Bind(&cmcComm::pumpHandler, this); }

cmcComm::~cmcComm()
{
    Close();
    cmcTask::dispose(pump_);
}

bool cmcComm::Open(std::int32_t port, const std::string &settings)
{
    if (IsOpen())
        return false;
    port_ = port;
    writeFailed_ = false;
    settings_ = ParseSettings(settings);
    const std::string path = PortMap::devicePath(port);
    if (path.empty())
        return false;
    serial_.setPortName(QString::fromStdString(path));
    if (!serial_.open(QIODevice::ReadWrite)) {
        PortProblem::NoteFailure(path, openErrorOf(serial_.error()));
        serial_.clearError();
        return false;
    }
    if (!serial_.clear(QSerialPort::AllDirections) || !configure()) {
        Close();
        PortProblem::NoteFailure(path, PortProblem::OpenError::Other);
        return false;
    }
    PortProblem::NoteSuccess(path);
    return true;
}

bool cmcComm::configure()
{
    // There are no 4-bit characters on this system's serial lines; such a
    // setting fails the open as an unusable device setting would.
    if (settings_.dataBits < 5 || settings_.baud <= 0)
        return false;
    const bool configured =
        serial_.setBaudRate(settings_.baud) &&
        serial_.setDataBits(static_cast<QSerialPort::DataBits>(settings_.dataBits)) &&
        serial_.setParity(qtParity(settings_.parity)) &&
        serial_.setStopBits(qtStopBits(settings_.stopBits)) &&
        serial_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured)
        return false;
    // Pseudo-terminals have no modem lines; a refusal here is no reason to
    // give up the port.
    serial_.setDataTerminalReady(false);
    serial_.setRequestToSend(true);
    serial_.clearError();
    return true;
}

void cmcComm::Close()
{
    pump_->SetPeriod(-1);
    if (serial_.isOpen())
        serial_.close();
    serial_.clearError();
    outgoing_.Clear();
    writeFailed_ = false;
}

bool cmcComm::IsOpen() const { return serial_.isOpen(); }

std::int32_t cmcComm::Send(const std::uint8_t *bytes, std::int32_t count)
{
    if (!IsOpen())
        return 0;
    pump_->SetPeriod(-1);
    outgoing_.Append(bytes, count);
    pump_->SetPeriod(0);
    PumpStep();
    return 0;
}

std::int32_t cmcComm::Read(std::uint8_t *buffer, std::int32_t maximum)
{
    if (!IsOpen() || maximum <= 0)
        return 0;
    // The clone driver also reads in busy loops that never return to the
    // event loop; a zero wait moves what the device holds into the port's
    // buffer without blocking.
    if (serial_.bytesAvailable() < maximum) {
        serial_.waitForReadyRead(0);
        serial_.clearError();
    }
    const qint64 got = serial_.read(reinterpret_cast<char *>(buffer), maximum);
    return got > 0 ? static_cast<std::int32_t>(got) : 0;
}

std::int32_t cmcComm::BytesWaitingIn()
{
    if (!IsOpen())
        return 0;
    int waiting = 0;
    if (::ioctl(serial_.handle(), TIOCINQ, &waiting) != 0)
        waiting = 0;
    return static_cast<std::int32_t>(
        std::min<qint64>(serial_.bytesAvailable() + waiting, INT32_MAX));
}

std::int32_t cmcComm::BytesWaitingOut() { return IsOpen() ? deviceOutputQueue() : 0; }

std::int32_t cmcComm::Pending() { return BytesWaitingOut() + outgoing_.Length(); }

std::int32_t cmcComm::deviceOutputQueue()
{
    int waiting = 0;
    if (::ioctl(serial_.handle(), TIOCOUTQ, &waiting) != 0)
        waiting = 0;
    return static_cast<std::int32_t>(std::min<qint64>(serial_.bytesToWrite() + waiting, INT32_MAX));
}

std::int32_t cmcComm::writeToDevice(const std::uint8_t *bytes, std::int32_t count)
{
    const int fd = serial_.handle();
    QElapsedTimer clock;
    clock.start();
    const qint64 allowance = writeAllowanceMs(settings_.baud, count);
    std::int32_t written = 0;
    while (written < count) {
        const ssize_t n = ::write(fd, bytes + written, static_cast<size_t>(count - written));
        if (n > 0) {
            written += static_cast<std::int32_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            break;
        const qint64 left = allowance - clock.elapsed();
        if (left <= 0)
            break;
        pollfd watch{fd, POLLOUT, 0};
        if (::poll(&watch, 1, static_cast<int>(left)) < 0 && errno != EINTR)
            break;
    }
    return written;
}

void cmcComm::pumpHandler(void *context, cmcTask *) { static_cast<cmcComm *>(context)->PumpStep(); }

void cmcComm::PumpStep()
{
    if (!IsOpen()) {
        pump_->SetPeriod(-1);
        return;
    }
    const std::int32_t n = std::min(outgoing_.Length(), kPieceSize);
    if (n > 0 && deviceOutputQueue() != 0) {
        pump_->SetPeriod(kPumpPeriodMs);
        return;
    }
    if (n > 0 && writeToDevice(outgoing_.Data(), n) < n) {
        // The clone driver learns of it through WriteFailed and gives up;
        // nothing is taken from the queue.
        writeFailed_ = true;
        pump_->SetPeriod(-1);
        return;
    }
    if (outgoing_.Length() > n) {
        dropFront(n);
        pump_->SetPeriod(kPumpPeriodMs);
        return;
    }
    outgoing_.SetLength(0);
    pump_->SetPeriod(-1);
}

void cmcComm::dropFront(std::int32_t count)
{
    outgoing_.Assign(outgoing_.Data() + count, outgoing_.Length() - count);
}
