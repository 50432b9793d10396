#include "RadioLink.h"

#include <algorithm>

namespace vradio {

namespace {

constexpr std::size_t kChunk = 4096;

} // namespace

RadioLink::RadioLink(VirtualRadio &radio, ByteChannel &channel, int paceBaud)
    : radio_(radio), channel_(channel), incoming_(paceBaud), outgoing_(paceBaud)
{
    clock_.start();
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { step(); });
}

void RadioLink::start() { timer_.start(1); }

void RadioLink::step()
{
    const std::int64_t nowUs = clock_.nsecsElapsed() / 1000;
    if (channel_.takeNewSession()) {
        radio_.resetSession();
        unsent_.clear();
        unsentStart_ = 0;
    }

    std::uint8_t buffer[kChunk];
    const std::size_t n = channel_.readSome(buffer, std::min(kChunk, incoming_.allowance(nowUs)));
    incoming_.consume(n);
    radio_.receive(buffer, n);

    if (unsentStart_ == unsent_.size()) {
        unsent_ = radio_.takeOutput(16 * kChunk);
        unsentStart_ = 0;
    }
    const std::size_t wanted = std::min(unsent_.size() - unsentStart_, outgoing_.allowance(nowUs));
    const std::size_t sent = channel_.writeSome(unsent_.data() + unsentStart_, wanted);
    outgoing_.consume(sent);
    unsentStart_ += sent;
}

} // namespace vradio
