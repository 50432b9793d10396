#include "bindings/CwIdBindings.h"

#include "bindings/SettingRules.h"
#include "cells/CellLabels.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/TextCodecs.h"

#include <cstdint>

// Block 48 (0x1A764, 39 bytes), shared with the user set mode
// (SetModeBindings.cpp, which has the whole map):
//   0x1A764..0x1A783  ID code: 32 characters, space-filled
//   0x1A784..0x1A786  the user set mode's item bits
//   0x1A787  ID interval in minutes, 1..60
//   0x1A788  speed in words per minute, 5..40
//   0x1A789  tone pitch: an entry of its list, 400 to 1500 Hz
//   0x1A78A  bit 0 standard word (PARIS or CODEX), bit 1 sent with the
//            channel's CTCSS/DTCS, bits 3-2 letter spacing; bit 6 keeps the
//            channels' CW ID offset at the centre (the channel sheet reads
//            it); bits 7, 5-4 free

namespace {

constexpr std::int32_t kIdCode = 0x1A764;
constexpr std::int32_t kIdCodeLength = 32;
constexpr std::int32_t kInterval = 0x1A787;
constexpr std::int32_t kSpeed = 0x1A788;
constexpr std::int32_t kPitch = 0x1A789;
constexpr std::int32_t kOptions = 0x1A78A;

constexpr std::int32_t kShortestInterval = 1;
constexpr std::int32_t kLongestInterval = 60;
constexpr std::int32_t kSlowest = 5;
constexpr std::int32_t kFastest = 40;

const CellBinding kRows[] = {
    {.label = CL_CW_ID_Code,
     .storage = CellStorage::imageBytes(kIdCode, kIdCodeLength),
     .codec = editCwText(kIdCodeLength)},
    {.label = CL_CW_ID_Interval,
     .storage = CellStorage::imageByte(kInterval),
     .codec = editIntegerSaturate(kShortestInterval, kLongestInterval),
     .rule = setting_rules::outsideRange<kShortestInterval, kLongestInterval>},
    {.label = CL_CW_StandardWord,
     .storage = CellStorage::imageBits(kOptions, 0, 1),
     .codec = editOption("GI_Sheet_Sel_CW_StandardWord", 1)},
    {.label = CL_CW_Speed,
     .storage = CellStorage::imageByte(kSpeed),
     .codec = editIntegerSaturate(kSlowest, kFastest),
     .rule = setting_rules::outsideRange<kSlowest, kFastest>},
    {.label = CL_CW_AudioFreq,
     .storage = CellStorage::imageByte(kPitch),
     .codec = editOption("GI_Sheet_Sel_CW_AudioFreq", 1)},
    {.label = CL_CW_EncodeWithCTone,
     .storage = CellStorage::imageBits(kOptions, 1, 1),
     .codec = editOption("GI_Sheet_Sel_Misc_OnOff", 1)},
    {.label = CL_CW_Spaceing,
     .storage = CellStorage::imageBits(kOptions, 2, 2),
     .codec = editOption("GI_Sheet_Sel_CW_Spacing", 1)},
};

} // namespace

std::span<const CellBinding> cwIdBindings() { return kRows; }
