#include "CloneLinkFixture.h"

#include "image/cmcEeprom.h"

#include <algorithm>

using testing_support::FakeTransport;

namespace clonetest {

Bytes bytesOf(const cmcBuff &buffer)
{
    return Bytes(buffer.Data(), buffer.Data() + buffer.Length());
}

std::vector<SentFrame> framesIn(const Bytes &sent)
{
    std::vector<SentFrame> frames;
    std::size_t i = 0;
    while (i < sent.size()) {
        if (sent[i] != 0xFE) {
            ++i;
            continue;
        }
        int run = 0;
        while (i < sent.size() && sent[i] == 0xFE) {
            ++run;
            ++i;
        }
        // Direction bytes, command, body up to FD.
        if (i + 3 > sent.size())
            break;
        SentFrame frame;
        frame.preamble = run - 2;
        frame.command = sent[i + 2];
        i += 3;
        while (i < sent.size() && sent[i] != 0xFD)
            frame.body += char(sent[i++]);
        ++i;
        frames.push_back(frame);
    }
    return frames;
}

Bytes idReply(std::uint16_t id1, std::uint16_t id2, const Bytes &information)
{
    Bytes reply = {0xFE,
                   0xFE,
                   0xEF,
                   0xEE,
                   0xE1,
                   std::uint8_t(id1 >> 8),
                   std::uint8_t(id1),
                   std::uint8_t(id2 >> 8),
                   std::uint8_t(id2)};
    reply.insert(reply.end(), information.begin(), information.end());
    reply.push_back(0xFD);
    return reply;
}

Bytes radioDataFrame(std::int32_t address, const Bytes &data)
{
    cmcBuff frame;
    cloneframes::appendDataFrame(frame, cloneframes::Direction::FromRadio, address, data.data(),
                                 std::int32_t(data.size()));
    return bytesOf(frame);
}

Bytes radioEndFrame(bool withCount, std::int32_t frameCount)
{
    return bytesOf(cloneframes::endFrame(cloneframes::Direction::FromRadio, withCount, frameCount));
}

Bytes endAck() { return bytesOf(cloneframes::endAckFrame()); }

Bytes radioMemory(const Bytes &memory, const RangeList &ranges)
{
    Bytes out;
    int frames = 0;
    for (const AddressRange &range : ranges) {
        if (range.last < range.first)
            break;
        for (std::int32_t a = range.first; a <= range.last; a += 16) {
            const std::int32_t n = std::min(16, range.last - a + 1);
            const Bytes frame =
                radioDataFrame(a, Bytes(memory.begin() + a, memory.begin() + a + n));
            out.insert(out.end(), frame.begin(), frame.end());
            ++frames;
        }
    }
    const Bytes end = radioEndFrame(true, frames);
    out.insert(out.end(), end.begin(), end.end());
    return out;
}

Bytes patternMemory(std::int32_t size)
{
    Bytes memory(std::size_t(size), 0);
    for (std::int32_t a = 0; a < size; ++a)
        memory[std::size_t(a)] = std::uint8_t(a * 7 + 3);
    return memory;
}

void recordOutcome(void *context, dst_CDrv_Result *result)
{
    auto &outcome = *static_cast<Outcome *>(context);
    ++outcome.calls;
    outcome.kind = result->kind;
    outcome.code = result->code;
    outcome.id1 = result->id1;
    outcome.id2 = result->id2;
    outcome.information = bytesOf(result->information);
    outcome.image.assign(std::size_t(result->image.GetSize()), 0);
    result->image.ReadBlock(0, outcome.image.data(), result->image.GetSize());
    outcome.receivedMap = bytesOf(result->receivedMap);
}

DriverRig::DriverRig(std::unique_ptr<cmcCloneDrv> (*make)(CloneTransports))
{
    auto serial = std::make_unique<FakeTransport>();
    auto tcp = std::make_unique<FakeTransport>();
    tcp->setSendReportsCount(true);
    serial_ = serial.get();
    tcp_ = tcp.get();
    CloneTransports transports{std::move(serial), std::move(tcp)};
    driver_ = make != nullptr ? make(std::move(transports))
                              : std::make_unique<cmcCloneDrv>(std::move(transports));
    driver_->SetModelIds(0x3079, 0);
    driver_->SetImageSize(0x200);
}

bool DriverRig::stepUntil(std::int32_t state, int maxSteps)
{
    for (int i = 0; i < maxSteps && driver_->IsBusy(); ++i) {
        if (driver_->CurrentState() == state)
            return true;
        driver_->Step();
    }
    return driver_->CurrentState() == state;
}

bool DriverRig::stepUntilIdle(int maxSteps)
{
    for (int i = 0; i < maxSteps && driver_->IsBusy(); ++i)
        driver_->Step();
    return !driver_->IsBusy();
}

std::vector<std::int32_t> DriverRig::run(const Radio &radio, std::uint32_t advanceMs, int maxSteps)
{
    std::vector<std::int32_t> states;
    for (int i = 0; i < maxSteps && driver_->IsBusy(); ++i) {
        const std::int32_t state = driver_->CurrentState();
        if (states.empty() || states.back() != state)
            states.push_back(state);
        if (radio)
            radio(*this, state);
        driver_->Step();
        clock_.advance(advanceMs);
    }
    return states;
}

DriverRig::Radio DriverRig::sendsIn(std::int32_t state, Bytes bytes)
{
    auto sent = std::make_shared<bool>(false);
    return [state, bytes = std::move(bytes), sent](DriverRig &rig, std::int32_t now) {
        if (now == state && !*sent) {
            rig.link().feed(bytes);
            *sent = true;
        }
    };
}

DriverRig::Radio DriverRig::acceptsWrite()
{
    return [](DriverRig &rig, std::int32_t state) {
        FakeTransport &link = rig.link();
        if (link.unread() != 0)
            return;
        if (state == cmcCloneDrv::kWaitWriteAck || state == cmcCloneDrv::kWaitBlockAck)
            link.feed(Bytes{0xFB});
        else if (state == cmcCloneDrv::kReceiveEndAck)
            link.feed(endAck());
    };
}

} // namespace clonetest
