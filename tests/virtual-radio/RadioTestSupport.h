#pragma once

#include "VirtualRadio.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vradio_testing {

using vradio::Bytes;

// Frames as the program sends them, built from the same hex texts.
Bytes requestFrame(std::uint8_t command, int preamble = 0);
Bytes dataFrame(std::uint16_t address, const Bytes &data);
Bytes endFrame(int frameCount);
Bytes passwordFrame(const std::string &password);
Bytes speedSelectFrame(bool highSpeed);
Bytes commandFrame(std::uint8_t command, std::uint8_t value);

// The radio's output cut into frames (each from its one FE, without FD);
// bytes between frames are skipped.
std::vector<Bytes> framesIn(const Bytes &output);

// The payload of a data frame from the radio: address, count, data,
// checksum; empty when the text is not upper-case hex.
Bytes dataPayload(const Bytes &frame);

Bytes textBytes(const std::string &text);

} // namespace vradio_testing
