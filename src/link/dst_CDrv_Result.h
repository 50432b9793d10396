#pragma once

#include "image/cmcEeprom.h"
#include "platform/cmcBuff.h"

#include <cstdint>

// What one clone operation reports to its completion callback. The driver
// creates a record at every start and deletes it after the callback; a
// callback that wants the received data copies it out.
struct dst_CDrv_Result {
    std::int32_t kind = 0;
    // Stays 2 (the link could not be opened) until the operation sets it.
    std::int32_t code = 2;
    // The driver's model ids at the start; after a valid ID reply the
    // radio's.
    std::int32_t id1 = 0;
    std::int32_t id2 = 0;
    // The clone information block of the ID reply.
    cmcBuff information;
    // Read: the memory received, sized to the driver's image size. Write: a
    // copy of the image being sent.
    cmcEeprom image;
    // Bit a % 8 of byte a / 8 is set for every address a read stored.
    cmcBuff receivedMap;
};

// Operation kinds.
namespace clonekind {
inline constexpr std::int32_t kIdRead = 1;
inline constexpr std::int32_t kRead = 2;
inline constexpr std::int32_t kWrite = 3;
inline constexpr std::int32_t kAdjustCommand = 4;
inline constexpr std::int32_t kAdjustTable = 5;
inline constexpr std::int32_t kAdjustSweep = 7;
} // namespace clonekind

// Result codes. The driver sets 0, 2, 5-10, 17 and 18; the clone manager's
// result handlers add 8, 11, 14, 15 and 16.
namespace clonecode {
inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kPortNotOpened = 2;
inline constexpr std::int32_t kTimeout = 5;
inline constexpr std::int32_t kBadFrame = 6;
inline constexpr std::int32_t kEndCountMismatch = 7;
inline constexpr std::int32_t kAddressesMissing = 8;
inline constexpr std::int32_t kOutsideImage = 9;
inline constexpr std::int32_t kNoEndAck = 10;
inline constexpr std::int32_t kWrongRadio = 11;
inline constexpr std::int32_t kMapRevision = 14;
inline constexpr std::int32_t kImageCheckFailed = 15;
inline constexpr std::int32_t kModelCheckFailed = 16;
inline constexpr std::int32_t kWriteFailed = 17;
// The user stopped the operation before it was done.
inline constexpr std::int32_t kCancelled = 18;
} // namespace clonecode
