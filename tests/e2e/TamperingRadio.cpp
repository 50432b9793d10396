#include "TamperingRadio.h"

#include "PtyChannel.h"
#include "TcpChannel.h"

#include "link/CloneFrames.h"

#include <cstdio>

namespace e2e {

namespace {

constexpr std::uint8_t kFrameStart = 0xFE;
constexpr std::uint8_t kFrameEnd = 0xFD;
// Raw answer bytes: FE FE EF EE, the command, then its bytes.
constexpr std::size_t kCommandByte = 4;
constexpr std::size_t kInformationStart = 9;
constexpr std::size_t kDataTextStart = 5;
constexpr int kStepMs = 1;

bool isFrame(const Bytes &answer, std::uint8_t command)
{
    return answer.size() > kCommandByte + 1 && answer[0] == kFrameStart &&
           answer[1] == kFrameStart && answer[kCommandByte] == command &&
           answer.back() == kFrameEnd;
}

int dataAddress(const Bytes &answer)
{
    if (!isFrame(answer, 0xE4) || answer.size() < kDataTextStart + 4)
        return -1;
    int address = 0;
    for (std::size_t i = kDataTextStart; i < kDataTextStart + 4; ++i)
        address = address << 4 | cloneframes::upperHexDigit(answer[i]);
    return address;
}

std::string hexByte(unsigned value)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

// A rewrite of the ID reply only.
TamperingRadio::Tamper onIdReply(std::function<void(Bytes &)> change)
{
    return [change](const Bytes &answer) {
        Bytes out = answer;
        if (isFrame(answer, 0xE1) && answer.size() > kInformationStart + 60)
            change(out);
        return out;
    };
}

} // namespace

TamperingRadio::TamperingRadio(Bytes memory, vradio::RadioSetup setup, LineLedger *ledger)
    : radio_(std::move(setup), std::move(memory)), ledger_(ledger)
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { step(); });
}

TamperingRadio::~TamperingRadio() { timer_.stop(); }

std::string TamperingRadio::startOnPty()
{
    auto pty = std::make_unique<vradio::PtyChannel>();
    if (!pty->valid())
        return {};
    const std::string path = pty->slavePath();
    start(std::move(pty));
    return path;
}

quint16 TamperingRadio::startOnTcp()
{
    auto tcp = std::make_unique<vradio::TcpChannel>();
    if (!tcp->listen(QHostAddress::LocalHost, 0))
        return 0;
    const quint16 port = tcp->port();
    start(std::move(tcp));
    return port;
}

void TamperingRadio::start(std::unique_ptr<vradio::ByteChannel> channel)
{
    channel_ = std::move(channel);
    if (ledger_ != nullptr)
        ledger_->radioAttached();
    timer_.start(kStepMs);
}

void TamperingRadio::step()
{
    if (channel_->takeNewSession()) {
        radio_.resetSession();
        unsent_.clear();
        if (ledger_ != nullptr)
            ledger_->radioTookConnection();
    }
    std::uint8_t buffer[4096];
    while (const std::size_t n = channel_->readSome(buffer, sizeof buffer)) {
        radio_.receive(buffer, n);
        if (ledger_ != nullptr)
            ledger_->radioRead(n);
    }
    // The radio queues whole answers, so the output splits into them.
    const Bytes output = radio_.takeOutput();
    for (std::size_t i = 0; i < output.size();) {
        std::size_t end = i + 1;
        if (output[i] == kFrameStart) {
            while (end < output.size() && output[end - 1] != kFrameEnd)
                ++end;
        }
        pass(Bytes(output.begin() + static_cast<std::ptrdiff_t>(i),
                   output.begin() + static_cast<std::ptrdiff_t>(end)));
        i = end;
    }
    const std::size_t sent = channel_->writeSome(unsent_.data(), unsent_.size());
    unsent_.erase(unsent_.begin(), unsent_.begin() + static_cast<std::ptrdiff_t>(sent));
    if (ledger_ != nullptr) {
        ledger_->radioSent(sent);
        ledger_->radioStepped(!unsent_.empty());
    }
}

void TamperingRadio::pass(const Bytes &answer)
{
    Bytes out = answer;
    for (const Tamper &tamper : tampers_) {
        if (out.empty())
            return;
        out = tamper(out);
    }
    unsent_.insert(unsent_.end(), out.begin(), out.end());
}

namespace tamper {

TamperingRadio::Tamper endAddressText(const std::string &fourHexDigits)
{
    return onIdReply([fourHexDigits](Bytes &reply) {
        for (std::size_t i = 0; i < 4; ++i)
            reply[kInformationStart + 56 + i] = static_cast<std::uint8_t>(fourHexDigits[i]);
    });
}

TamperingRadio::Tamper informationByte(int index, std::uint8_t value)
{
    return onIdReply([index, value](Bytes &reply) {
        reply[kInformationStart + static_cast<std::size_t>(index)] = value;
    });
}

TamperingRadio::Tamper radioId1(std::uint16_t id)
{
    return onIdReply([id](Bytes &reply) {
        reply[5] = static_cast<std::uint8_t>(id >> 8);
        reply[6] = static_cast<std::uint8_t>(id & 0xFF);
    });
}

TamperingRadio::Tamper dropDataFrom(int address)
{
    return [address](const Bytes &answer) {
        return dataAddress(answer) >= address ? Bytes{} : answer;
    };
}

TamperingRadio::Tamper dropDataAt(int address)
{
    return [address](const Bytes &answer) {
        return dataAddress(answer) == address ? Bytes{} : answer;
    };
}

TamperingRadio::Tamper recountEndFrame()
{
    auto count = std::make_shared<unsigned>(0);
    return [count](const Bytes &answer) {
        if (isFrame(answer, 0xE4))
            ++*count;
        if (!isFrame(answer, 0xE5))
            return answer;
        Bytes out = answer;
        const std::string digits = hexByte(*count);
        out[out.size() - 3] = static_cast<std::uint8_t>(digits[0]);
        out[out.size() - 2] = static_cast<std::uint8_t>(digits[1]);
        *count = 0;
        return out;
    };
}

TamperingRadio::Tamper spoilEndCount()
{
    return [](const Bytes &answer) {
        Bytes out = answer;
        if (isFrame(answer, 0xE5))
            out[out.size() - 2] = out[out.size() - 2] == '0' ? '1' : '0';
        return out;
    };
}

TamperingRadio::Tamper rewriteDataFrame(int address, std::function<Bytes(const Bytes &)> rewrite)
{
    return [address, rewrite](const Bytes &answer) {
        return dataAddress(answer) == address ? rewrite(answer) : answer;
    };
}

TamperingRadio::Tamper endAckCode(std::uint8_t code)
{
    return [code](const Bytes &answer) {
        Bytes out = answer;
        if (isFrame(answer, 0xE6) && answer.size() == 7)
            out[5] = code;
        return out;
    };
}

void shortRead(TamperingRadio &radio, int lastAddress, int sentThrough)
{
    radio.addTamper(
        endAddressText(hexByte(unsigned(lastAddress) >> 8) + hexByte(unsigned(lastAddress))));
    radio.addTamper(dropDataFrom(sentThrough + 1));
    radio.addTamper(recountEndFrame());
}

} // namespace tamper

} // namespace e2e
