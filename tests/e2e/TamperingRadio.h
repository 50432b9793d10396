#pragma once

#include "ByteChannel.h"
#include "LineLedger.h"
#include "VirtualRadio.h"

#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace e2e {

using vradio::Bytes;

// The virtual radio inside the test process, on a real pseudo-terminal or
// TCP port, with its answers passed through rewrites on their way to the
// line: the faults a real radio or a bad cable produces that the radio's
// fault plan does not offer. It works while the test runs the event loop,
// and enters what it takes from and hands to the line in the ledger when
// given one.
class TamperingRadio
{
public:
    // Rewrites one answer (a whole frame from FE to FD, or a single byte
    // such as FB); an empty result drops it.
    using Tamper = std::function<Bytes(const Bytes &answer)>;

    explicit TamperingRadio(Bytes memory, vradio::RadioSetup setup = {},
                            LineLedger *ledger = nullptr);
    ~TamperingRadio();
    TamperingRadio(const TamperingRadio &) = delete;
    TamperingRadio &operator=(const TamperingRadio &) = delete;

    // The device path, empty when no pseudo-terminal could be had.
    std::string startOnPty();
    // The port on 127.0.0.1, 0 when listening failed.
    quint16 startOnTcp();

    // Rewrites run in the order they were added.
    void addTamper(Tamper tamper) { tampers_.push_back(std::move(tamper)); }
    vradio::VirtualRadio &radio() { return radio_; }
    const Bytes &memory() const { return radio_.memory(); }

private:
    void start(std::unique_ptr<vradio::ByteChannel> channel);
    void step();
    void pass(const Bytes &answer);

    vradio::VirtualRadio radio_;
    LineLedger *ledger_;
    std::unique_ptr<vradio::ByteChannel> channel_;
    std::vector<Tamper> tampers_;
    Bytes unsent_;
    QTimer timer_;
};

// Rewrites for the answers of a clone operation.
namespace tamper {

// The ID reply's end address text (clone information bytes 56 to 59).
TamperingRadio::Tamper endAddressText(const std::string &fourHexDigits);
// One byte of the ID reply's clone information.
TamperingRadio::Tamper informationByte(int index, std::uint8_t value);
// The ID reply's model id 1.
TamperingRadio::Tamper radioId1(std::uint16_t id);
// Drops the data frames of a read from this address on.
TamperingRadio::Tamper dropDataFrom(int address);
// Drops the one data frame of a read at this address.
TamperingRadio::Tamper dropDataAt(int address);
// The read's end frame counts the data frames that really went out.
TamperingRadio::Tamper recountEndFrame();
// The count digits of the read's end frame off by one.
TamperingRadio::Tamper spoilEndCount();
// Replaces the data frame at this address by what the function makes of it.
TamperingRadio::Tamper rewriteDataFrame(int address, std::function<Bytes(const Bytes &)> rewrite);
// The byte after E6 in the write's end acknowledgement.
TamperingRadio::Tamper endAckCode(std::uint8_t code);

// A read that ends early: the clone information reports lastAddress as the
// end, and the radio sends data frames up to sentThrough, then an end frame
// that counts them.
void shortRead(TamperingRadio &radio, int lastAddress, int sentThrough);

} // namespace tamper

} // namespace e2e
