#include "bindings/SetModeBindings.h"

#include "bindings/SettingRules.h"
#include "cells/CellLabels.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"

#include <cstdint>

// Block 6 (0x109D4, 32 bytes), the set mode:
//   0x109D4        squelch level (whole byte)
//   0x109D5        LCD contrast, 0..127 (whole byte)
//   0x109D6  bit 7 beep on; bits 6, 3-0 beep level (level scheme below);
//            bits 5-4 free
//   0x109D7  bits 6, 3-0 ringer level (level scheme); bits 7, 5-4 free
//   0x109D8        AF minimum level (whole byte)
//   0x109D9        microphone gain (whole byte)
//   0x109DA  bits 7-4 VOX delay, bits 3-0 VOX gain
//   0x109DB  bit 0 audio filter; bits 7-1 free
//   0x109DC  bits 7-4 backlight (also the handheld's), bit 3 horn output,
//            bit 2 battery voltage display, bit 1 signal monitor, bit 0 fan
//   0x109DD..0x109E3  free
//   0x109E4, 0x109E6..0x109ED  the radio's own (start-up channel, first scan
//            list and DTMF memory, power-on flags): kept by the normalisation
//            before a save, never by a cell
//   0x109E5, 0x109EE..0x109F3  free
// The BER display, the LCD and key checks and the two information pages are
// things the set mode shows or runs, not values: the radio keeps nothing
// for them.
//
// Block 48 (0x1A764, 39 bytes), shared with the CW identification
// (CwIdBindings.cpp):
//   0x1A764..0x1A783  CW ID text (32 characters)
//   0x1A784..0x1A786  user set mode: one bit a set mode item, in the order
//            of the labels from CL_USetM_Backlight, the first in bit 7 of
//            0x1A784; bits 3-0 of 0x1A786 free
//   0x1A787  CW ID interval    0x1A788  CW speed    0x1A789  CW tone pitch
//   0x1A78A  bit 0 CW standard word, bit 1 CW with the channel's tone,
//            bits 3-2 CW spacing, bit 6 the channels' CW ID offset locked
//            (fixed); bits 7, 5-4 free

namespace {

constexpr std::int32_t kSquelchLevel = 0x109D4;
constexpr std::int32_t kLcdContrast = 0x109D5;
constexpr std::int32_t kBeep = 0x109D6;
constexpr std::int32_t kRinger = 0x109D7;
constexpr std::int32_t kAfMinimum = 0x109D8;
constexpr std::int32_t kMicGain = 0x109D9;
constexpr std::int32_t kVox = 0x109DA;
constexpr std::int32_t kAudio = 0x109DB;
constexpr std::int32_t kDisplay = 0x109DC;
constexpr std::int32_t kUserItems = 0x1A784;

// --- The level scheme of the beep and the ringer -----------------------------
//
// A level byte keeps the level in bits 3-0 and, in bit 6, whether it follows
// the volume control. Its list names both as one value: the level plus 100
// for a followed level. Bits 5-4 are not the level's and stay as they are.

constexpr std::int32_t kLevelBits = 0x0F;
constexpr std::int32_t kFollowsVolumeBit = 0x40;
constexpr std::int32_t kFollowsVolume = 100;

struct LevelParams {
    CellCodec list;
};

CodecAnswer showLevel(const LevelParams &params, std::int32_t stored, const CodecRequest &request)
{
    const std::int32_t value =
        (stored & kLevelBits) + ((stored & kFollowsVolumeBit) != 0 ? kFollowsVolume : 0);
    CodecAnswer answer = params.list(value, request);
    if (answer.value) {
        const std::int32_t chosen = *answer.value;
        answer.value = (stored & ~(kLevelBits | kFollowsVolumeBit)) |
                       ((chosen / kFollowsVolume) % 2 != 0 ? kFollowsVolumeBit : 0) |
                       (chosen % kFollowsVolume & kLevelBits);
    }
    return answer;
}

CellBinding level(std::int32_t label, std::int32_t address)
{
    return {.label = label,
            .storage = CellStorage::imageBits(address, 0, 7),
            .codec = CellCodec(showLevel, LevelParams{editOption("GI_Sheet_Sel_SetM_BeepLev", 1)})};
}

// --- The table ---------------------------------------------------------------

CellBinding option(std::int32_t label, CellStorage storage, const char *list)
{
    return {.label = label, .storage = storage, .codec = editOption(list, 1)};
}

CellBinding bit(std::int32_t label, std::int32_t address, int bitNumber, const char *list)
{
    return option(label, CellStorage::imageBits(address, bitNumber, 1), list);
}

CellBinding nothingKept(std::int32_t label)
{
    return {.label = label, .run = setting_rules::runNothingKept};
}

constexpr const char *kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char *kOnOffInverted = "GI_Sheet_Sel_Misc_OnOff_I";

const CellBinding kBacklight = option(CL_SetM_Backlight, CellStorage::imageBits(kDisplay, 4, 4),
                                      "GI_Sheet_Sel_SetM_Handy_Backlight");

CellBinding sharing(CellBinding row, std::int32_t label)
{
    row.label = label;
    row.flags |= CellBinding::kSharedBits;
    return row;
}

const CellBinding kSetModeRows[] = {
    kBacklight,
    sharing(kBacklight, CL_SetM_Backlight_HH),
    {.label = CL_SetM_LcdContrast,
     .storage = CellStorage::imageByte(kLcdContrast),
     .codec = editIntegerWrap(0, 127),
     .rule = setting_rules::outsideRange<0, 127>},
    bit(CL_SetM_Fan, kDisplay, 0, "GI_Sheet_Sel_SetM_Fan"),
    bit(CL_SetM_BeepOn, kBeep, 7, kOnOff),
    level(CL_SetM_BeepLev, kBeep),
    level(CL_SetM_RingerLev, kRinger),
    option(CL_SetM_SqlLev, CellStorage::imageByte(kSquelchLevel), "GI_Sheet_Sel_SetM_SqlLev"),
    {.label = CL_SetM_AFMinLev,
     .storage = CellStorage::imageByte(kAfMinimum),
     .codec = editIntegerWrap(0, 255)},
    bit(CL_SetM_AudioFilt, kAudio, 0, kOnOff),
    option(CL_SetM_MicGain, CellStorage::imageByte(kMicGain), "GI_Sheet_Sel_SetM_MicGain"),
    option(CL_SetM_VoxGain, CellStorage::imageBits(kVox, 0, 4), "GI_Sheet_Sel_SetM_VoxGain"),
    option(CL_SetM_VoxDelay, CellStorage::imageBits(kVox, 4, 4), "GI_Sheet_Sel_SetM_VoxDelay"),
    bit(CL_SetM_HornOut, kDisplay, 3, kOnOffInverted),
    bit(CL_SetM_BATVDisp, kDisplay, 2, kOnOff),
    nothingKept(CL_SetM_BERDisp),
    bit(CL_SetM_SigMoni, kDisplay, 1, kOnOffInverted),
    nothingKept(CL_SetM_SystemInfo),
    nothingKept(CL_SetM_LcdCheck),
    nothingKept(CL_SetM_Information),
    nothingKept(CL_SetM_KeyCheck),
};

// Item n of the user set mode (n counted from CL_USetM_Backlight): bit
// 7 - n % 8 of byte n / 8.
CellBinding userItem(std::int32_t label)
{
    const std::int32_t item = label - CL_USetM_Backlight;
    return bit(label, kUserItems + item / 8, 7 - item % 8, kOnOff);
}

const CellBinding kUserSetModeRows[] = {
    userItem(CL_USetM_Backlight),   userItem(CL_USetM_LcdContrast), userItem(CL_USetM_Fan),
    userItem(CL_USetM_BeepOn),      userItem(CL_USetM_BeepLev),     userItem(CL_USetM_RingerLev),
    userItem(CL_USetM_SqlLev),      userItem(CL_USetM_AfMinLev),    userItem(CL_USetM_AudioFilt),
    userItem(CL_USetM_MicGain),     userItem(CL_USetM_VoxGain),     userItem(CL_USetM_VoxDelay),
    userItem(CL_USetM_HornOut),     userItem(CL_USetM_BATVDisp),    userItem(CL_USetM_BERDisp),
    userItem(CL_USetM_SigMoni),     userItem(CL_USetM_SystemInfo),  userItem(CL_USetM_LcdCheck),
    userItem(CL_USetM_Information), userItem(CL_USetM_KeyCheck),
};

} // namespace

std::span<const CellBinding> setModeBindings() { return kSetModeRows; }

std::span<const CellBinding> userSetModeBindings() { return kUserSetModeRows; }
