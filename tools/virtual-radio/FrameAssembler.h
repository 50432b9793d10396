#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vradio {

using Bytes = std::vector<std::uint8_t>;

// Cuts the byte stream from the computer into frames the way the radio does:
// every FE starts a frame afresh (so a preamble of FE bytes leaves one FE),
// FD ends it, and bytes outside a frame are line noise. A frame that grows
// past any sensible length is dropped.
class FrameAssembler
{
public:
    static constexpr std::size_t kMaxFrame = 600;

    // True when the byte completed a frame; frame() then holds it, starting
    // with its one FE and without the FD.
    bool push(std::uint8_t byte);
    const Bytes &frame() const { return frame_; }
    void reset();

private:
    Bytes building_;
    Bytes frame_;
};

} // namespace vradio
