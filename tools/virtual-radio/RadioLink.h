#pragma once

#include "ByteChannel.h"
#include "LinePacer.h"
#include "VirtualRadio.h"

#include <QElapsedTimer>
#include <QTimer>

namespace vradio {

// Moves bytes between the channel and the radio every millisecond, no faster
// than the paced line allows in either direction.
class RadioLink
{
public:
    // A pace of 0 lets bytes through as fast as the channel takes them.
    RadioLink(VirtualRadio &radio, ByteChannel &channel, int paceBaud);

    void start();
    // One round: take a new session into account, feed the radio what came
    // in, hand on what it answered.
    void step();

private:
    VirtualRadio &radio_;
    ByteChannel &channel_;
    LinePacer incoming_;
    LinePacer outgoing_;
    QElapsedTimer clock_;
    QTimer timer_;
    Bytes unsent_;
    std::size_t unsentStart_ = 0;
};

} // namespace vradio
