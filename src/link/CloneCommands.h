#pragma once

#include "image/AddressRange.h"

#include <cstdint>
#include <string>

class CloneHost;
class cmcEeprom;
class indCloneMan;
struct dst_CDrv_Result;

// The main frame's clone commands (read, write, clone information) and the
// result handlers and image check they rely on, built on the clone manager
// and on the main frame through CloneHost. The main frame owns one beside its
// clone manager; its read and write continuations call ReadContinuation and
// WriteContinuation here unless the model has its own.
class CloneCommands
{
public:
    static constexpr std::int32_t kLayoutCode = 0x3063;
    static constexpr std::int32_t kModelCode = 0x3079;
    static constexpr std::int32_t kInfoRevisionByte = 35;
    static constexpr std::int32_t kInfoEndAddressByte = 56;
    // The radio's serial number: 12 hexadecimal digits from this byte on.
    static constexpr std::int32_t kInfoSerialNumberByte = 60;
    static constexpr std::int32_t kInfoSerialNumberLength = 12;
    static constexpr std::int32_t kViewsRebuildEvent = 25;

    // Registers the ID handler and the read handler with the manager.
    CloneCommands(CloneHost &host, indCloneMan &manager);
    CloneCommands(const CloneCommands &) = delete;
    CloneCommands &operator=(const CloneCommands &) = delete;

    // Clone read: ends a cell edit, offers to save a modified document, then
    // an ID read that continues in the host's read continuation.
    void CloneRead();
    // Clone write: an ID read that continues in the host's write
    // continuation, where a model may look at the radio first.
    void CloneWrite();
    // ID read; on success the clone information window.
    void CloneInfo();

    // The common read continuation: after a good ID read, the read of the
    // radio memory up to the end address its clone information reports.
    void ReadContinuation(const dst_CDrv_Result &result);
    // The read itself, for a model that checks more first.
    bool StartRead();
    // The common write continuation: the write of the working image.
    void WriteContinuation(const dst_CDrv_Result &result);
    // A write whose result ends in the write-done handling.
    bool StartWrite(const cmcEeprom &image, const RangeList &ranges);

    // The ID handler and the read handler (registered with the manager).
    static void IdHandler(void *context, dst_CDrv_Result *result);
    static void ReadHandler(void *context, dst_CDrv_Result *result);
    // The common image check: the radio image header, and when strict the
    // maker marks and model code too.
    static bool ImageCheck(const cmcEeprom &image, bool strict);
    // Last address a clone read asks for: the 4 hex digits at bytes 56 to
    // 59 of the clone information (other characters count as 0), rounded
    // down to a multiple of 16, plus 15.
    static std::int32_t InfoEndAddress(const std::uint8_t *area);
    // The serial number of the clone information, upper case; empty when
    // the radio reports none (any character there that is no hexadecimal
    // digit: a radio without a serial leaves the bytes blank or zero).
    static std::string InfoSerialNumber(const std::uint8_t *area);

private:
    static void onReadContinuation(void *context, dst_CDrv_Result *result);
    static void onWriteContinuation(void *context, dst_CDrv_Result *result);
    static void onInfo(void *context, dst_CDrv_Result *result);
    static void onReadDone(void *context, dst_CDrv_Result *result);
    static void onWriteDone(void *context, dst_CDrv_Result *result);
    void SetModelIds();

    CloneHost &host_;
    indCloneMan &manager_;
};
