#pragma once

#include "link/CloneFrames.h"
#include "link/cmcCloneDrv.h"
#include "platform/ManualTickClock.h"
#include "support/FakeTransport.h"
#include "support/ScopedTexts.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace clonetest {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const cmcBuff &buffer);

// One frame the computer sent, without its FE run and FD.
struct SentFrame {
    std::uint8_t command = 0;
    std::string body;
    // Extra FE bytes in front of the frame's own FE FE.
    int preamble = 0;
};

// Splits what a transport sent into frames; bytes outside frames (the
// radio's FB never comes from this side) are ignored.
std::vector<SentFrame> framesIn(const Bytes &sent);

// Frames as the radio sends them.
Bytes idReply(std::uint16_t id1, std::uint16_t id2, const Bytes &information);
Bytes radioDataFrame(std::int32_t address, const Bytes &data);
Bytes radioEndFrame(bool withCount, std::int32_t frameCount);
Bytes endAck();
// Data frames of 16 bytes for every address of the ranges, then the end
// frame with the matching count.
Bytes radioMemory(const Bytes &memory, const RangeList &ranges);
// A memory whose byte at address a is (a * 7 + 3) modulo 256.
Bytes patternMemory(std::int32_t size);

using testing_support::ScopedTexts;

// What the completion callback saw.
struct Outcome {
    int calls = 0;
    std::int32_t kind = -1;
    std::int32_t code = -1;
    std::int32_t id1 = -1;
    std::int32_t id2 = -1;
    Bytes information;
    Bytes image;
    Bytes receivedMap;
};

void recordOutcome(void *context, dst_CDrv_Result *result);

// A driver on two fake transports, stepped by hand under a fake clock that
// moves 1 ms with every reading, so the driver's short busy waits end.
class DriverRig
{
public:
    explicit DriverRig(std::unique_ptr<cmcCloneDrv> (*make)(CloneTransports) = nullptr);

    testing_support::FakeTransport &serial() { return *serial_; }
    testing_support::FakeTransport &tcp() { return *tcp_; }
    cmcCloneDrv &driver() { return *driver_; }
    ManualTickClock &clock() { return clock_; }

    // Steps until the driver reaches the state (true) or goes idle or the
    // step budget runs out (false).
    bool stepUntil(std::int32_t state, int maxSteps = 2000);
    // Steps until idle; false when the budget ran out first.
    bool stepUntilIdle(int maxSteps = 20000);
    // Plays the radio: called with the driver's state before every step.
    using Radio = std::function<void(DriverRig &rig, std::int32_t state)>;
    // Steps until idle, letting the radio answer before each step and
    // advancing the clock by advanceMs after it. Returns the states the
    // driver stepped through, each run of one state listed once.
    std::vector<std::int32_t> run(const Radio &radio = {}, std::uint32_t advanceMs = 0,
                                  int maxSteps = 200000);
    // The link the driver uses now.
    testing_support::FakeTransport &link() { return driver_->UsesTcp() ? *tcp_ : *serial_; }

    // A radio that sends the bytes once, when the driver first waits in the
    // state.
    static Radio sendsIn(std::int32_t state, Bytes bytes);
    // A radio that answers a write: FB to the write request and to every
    // block, the end acknowledgement to the end frame.
    static Radio acceptsWrite();

    bool startIdRead() { return driver_->StartIdRead(recordOutcome, &outcome); }
    bool startRead(const RangeList *ranges)
    {
        return driver_->StartRead(ranges, recordOutcome, &outcome);
    }

    Outcome outcome;

private:
    ManualTickClock clock_{1000, 1};
    testing_support::FakeTransport *serial_;
    testing_support::FakeTransport *tcp_;
    std::unique_ptr<cmcCloneDrv> driver_;
};

} // namespace clonetest
