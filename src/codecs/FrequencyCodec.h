#pragma once

#include "cells/CellCodec.h"

#include <cstdint>

// The receive and transmit frequencies of a channel, in hertz, shown and
// typed in MHz.

enum class ChannelSide : std::uint8_t { Receive, Transmit };

// The frequency of one side; the other side comes from the request's record.
// A typed frequency goes to the channel raster (a frequency off it is
// ignored) and then to at most 799.999950 MHz. A blank channel (receive
// frequency 0) shows nothing, its receive cell in olive; a transmit
// frequency equal to the receive frequency shows "<-", left-aligned.
CellCodec editFrequency(ChannelSide side);

// The highest frequency a channel takes.
inline constexpr std::int32_t kHighestFrequency = 799999950;

// The frequency the typed `hertz` stands for: the first one at or above it
// on the 2.5 kHz or the 3.125 kHz raster that differs from it only in the
// digits the user did not type; -1 when there is none.
std::int64_t channelRaster(std::int64_t hertz);

// What a new receive frequency does to the rest of the channel: the
// transmit frequency follows when it was equal to the receive frequency or
// the channel was not in use, and the channel is in use from then on.
struct ChannelFrequencies {
    std::int32_t receive = 0;
    std::int32_t transmit = 0;
    bool used = false;

    bool operator==(const ChannelFrequencies &) const = default;
};
ChannelFrequencies transmitFollowsReceive(const ChannelFrequencies &before,
                                          std::int32_t receiveAfter);
