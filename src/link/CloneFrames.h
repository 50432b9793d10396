#pragma once

#include "platform/cmcBuff.h"

#include <cstdint>
#include <string>

// Frames of the clone link. Every frame runs FE FE, the two direction bytes,
// a command byte, its body and FD. Receivers restart a frame at every FE and
// end it at every FD, so nothing inside a body may take either value: memory
// travels as ASCII hex text, ids as BCD.
namespace cloneframes {

enum class Direction {
    ToRadio,   // EE EF
    FromRadio, // EF EE
};

inline constexpr std::uint8_t kPreamble = 0xFE;
inline constexpr std::uint8_t kEnd = 0xFD;
inline constexpr std::uint8_t kBlockAck = 0xFB;
inline constexpr std::uint8_t kBlockRefused = 0xFA;

inline constexpr std::uint8_t kIdRequest = 0xE0;
inline constexpr std::uint8_t kIdReply = 0xE1;
inline constexpr std::uint8_t kReadRequest = 0xE2;
inline constexpr std::uint8_t kWriteRequest = 0xE3;
inline constexpr std::uint8_t kData = 0xE4;
inline constexpr std::uint8_t kEndOfData = 0xE5;
inline constexpr std::uint8_t kEndAck = 0xE6;
inline constexpr std::uint8_t kCommand = 0xE8;

// The maker text every end frame carries.
inline constexpr const char *kMakerText = "Vorn Inc.";
inline constexpr std::int32_t kMakerTextLength = 9;

// Largest body a receiver collects before it gives up on a frame.
inline constexpr std::int32_t kMaxFrameBytes = 521;

// Request to the radio (ID, read or write): FE FE EE EF, the command, model
// id 1 and model id 2 (two bytes each, high first), FD.
cmcBuff requestFrame(std::uint8_t command, std::int32_t id1, std::int32_t id2);

// Appends a data frame: FE FE, direction, E4, then the ASCII hex text of
// address (4 digits), count (2), the bytes (2 each) and the checksum (2), FD.
// The checksum makes address, count, data and checksum sum to 0 modulo 256.
void appendDataFrame(cmcBuff &out, Direction direction, std::int32_t address,
                     const std::uint8_t *bytes, std::int32_t count);

// End frame: FE FE, direction, E5, the maker text and, when carried, the
// data-frame count modulo 256 as two upper-case hex digits, FD.
cmcBuff endFrame(Direction direction, bool withCount, std::int32_t frameCount);

// The radio's acknowledgement of a write's end frame: FE FE EF EE E6 00 FD.
cmcBuff endAckFrame();

// Speed select, as script hex text: 20 FE bytes, EE EF E8, model id 1, 00 00,
// 01 and the two ASCII digits ('2','7' asks for 9600 baud, '0','9' for 38400).
std::string speedSelectText(std::int32_t id1, char first, char second);
inline constexpr char kSlowDigits[] = "27";
inline constexpr char kFastDigits[] = "09";

// Clone password frame, as script hex text: FE FE EE EF E8, model id 1,
// 00 00, 99, the password length, a check byte that makes the password bytes
// sum to 0 modulo 256, the password bytes, FD.
std::string clonePasswordText(std::int32_t id1, const std::string &password);

// Two upper-case hex digits of a byte.
void appendHexByte(cmcBuff &out, std::uint8_t byte);

// Value of one upper-case hex digit; -1 for anything else (lower case too).
int upperHexDigit(std::uint8_t character);

} // namespace cloneframes
