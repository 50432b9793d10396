#pragma once

#include <cstddef>
#include <cstdint>

namespace vradio {

// The radio's end of the cable: non-blocking reads and writes of raw bytes.
class ByteChannel
{
public:
    virtual ~ByteChannel() = default;

    // What has arrived, at most maximum bytes; 0 when nothing.
    virtual std::size_t readSome(std::uint8_t *buffer, std::size_t maximum) = 0;
    // How many of the bytes were taken; 0 when none fit now.
    virtual std::size_t writeSome(const std::uint8_t *bytes, std::size_t count) = 0;
    // True once after the far end changed (a new connection came in).
    virtual bool takeNewSession() { return false; }
};

} // namespace vradio
