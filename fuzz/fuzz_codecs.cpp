// Drives every value codec with parameters within their documented ranges,
// any stored value and any request: keys, typed texts, list and window
// answers, with or without a record of the row. Nothing may crash or read out
// of bounds, a draw must open nothing, and an editor's selection must lie
// within its text.
//
// The first byte picks the codec from kCodecs; the codec's row reads its
// parameters from the input, then the stored value and the request follow.
// To fuzz another codec, add a row to kCodecs (option lists and texts it
// reads go into kOverlay).

#include "cells/CellCodec.h"
#include "cells/cmcFCache.h"
#include "channels/datCh.h"
#include "codecs/BitSetCodecs.h"
#include "codecs/DisplayCodecs.h"
#include "codecs/FrequencyCodec.h"
#include "codecs/HexCodecs.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/TimeCodecs.h"
#include "codecs/ToneCodec.h"
#include "textdb/cmcGTex.h"

#include "CodecFuzzing.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace codec_fuzzing;

// The option lists and texts the codecs read.
std::vector<std::string> overlayLines()
{
    std::vector<std::string> lines = {
        "#GI_AppInd_TimerOff",
        "OFF",
        "#GI_AppItem_Ctcss",
        "67.0,69.3,71.9,74.4,77.0,79.7,82.5,85.4,88.5,91.5,94.8,97.4,100.0",
        "103.5, 107.2,110.9,,114.8",
        "#",
        "#GI_Sheet_Sel_Test_Power_Cells",
        "{(%Flex0[0])}Low|{(%FlexMark[0])}Low!",
        "{(%Flex0[1])}Mid|{(%FlexMark[7])}Top!",
        "#",
        "#GI_Sheet_Sel_Test_Empty_Cells",
        "no options here",
        "#",
        "#GI_Sheet_Sel_Mch_CTone_Cells",
    };
    for (int item = 0; item < kToneOffItem; ++item)
        lines.push_back("{(%Flex0[" + std::to_string(item) + "])}" + std::to_string(item));
    lines.push_back("{(%Flex0[52])}OFF");
    lines.push_back("{(%FlexDtcs[53])}DTCS");
    lines.push_back("#");
    lines.push_back("#End_Of_Ovl");
    return lines;
}

FuzzTexts &fixture()
{
    static FuzzTexts texts(overlayLines());
    return texts;
}

const char *const kOptionLists[] = {"GI_Sheet_Sel_Test_Power", "GI_Sheet_Sel_Test_Empty",
                                    "GI_Sheet_Sel_Mch_CTone"};

const char *anyOffText(Input &in)
{
    return in.PickValueInArray<const char *>({nullptr, "GI_AppInd_TimerOff", "GI_Missing"});
}

std::int32_t anyInt(Input &in) { return in.ConsumeIntegral<std::int32_t>(); }

// A minimum and a maximum at or above it.
std::pair<std::int32_t, std::int32_t> range(Input &in, std::int32_t low, std::int32_t high)
{
    const std::int32_t minimum = intIn(in, low, high);
    return {minimum, intIn(in, minimum, high)};
}

struct FuzzedCodec {
    const char *name;
    CellCodec (*make)(Input &in);
};

const FuzzedCodec kCodecs[] = {
    {"cellText", [](Input &) { return cellText(); }},
    {"entryNumber", [](Input &in) { return entryNumber(anyInt(in), intIn(in, 0, 16)); }},
    {"editOption",
     [](Input &in) {
         return editOption(in.PickValueInArray(kOptionLists), in.PickValueInArray({1, 4}));
     }},
    {"editOptionByte",
     [](Input &in) {
         return editOptionByte(in.PickValueInArray(kOptionLists), in.PickValueInArray({1, 4}));
     }},
    {"editInteger",
     [](Input &in) {
         const auto [minimum, maximum] = range(in, INT32_MIN, INT32_MAX);
         return editInteger({.minimum = minimum,
                             .maximum = maximum,
                             .offset = intIn(in, -1000000, 1000000),
                             .step = intIn(in, 1, 1000),
                             .fixedText = in.ConsumeBool() ? in.ConsumeRandomLengthString(16) : "",
                             .saturate = in.ConsumeBool(),
                             .clampCheck = in.ConsumeBool()});
     }},
    {"editIntegerWrap",
     [](Input &in) {
         const auto [minimum, maximum] = range(in, INT32_MIN, INT32_MAX);
         return editIntegerWrap(minimum, maximum);
     }},
    {"editIntegerSaturate",
     [](Input &in) {
         const auto [minimum, maximum] = range(in, INT32_MIN, INT32_MAX);
         return editIntegerSaturate(minimum, maximum);
     }},
    {"editIntegerShiftStep",
     [](Input &in) {
         const auto [minimum, maximum] = range(in, INT32_MIN, INT32_MAX);
         return editIntegerShiftStep(minimum, maximum);
     }},
    {"editCount",
     [](Input &in) {
         const auto [minimum, maximum] = range(in, INT32_MIN, INT32_MAX);
         return editCount(minimum, maximum, intIn(in, 0, 12), in.ConsumeBool());
     }},
    {"editDecimal",
     [](Input &in) {
         const double minimum = in.ConsumeFloatingPointInRange(-100000.0, 100000.0);
         return editDecimal({.storedDecimals = intIn(in, 0, 6),
                             .shownDecimals = intIn(in, 0, 6),
                             .minimum = minimum,
                             .maximum = in.ConsumeFloatingPointInRange(minimum, 100000.0),
                             .step = intIn(in, 1, 1000),
                             .trimZeros = intIn(in, 0, 6),
                             .stepping = in.ConsumeBool(),
                             .clearOnEnter = in.ConsumeBool()});
     }},
    {"levelBar",
     [](Input &in) {
         const auto [minimum, maximum] = range(in, INT32_MIN, INT32_MAX);
         return levelBar(minimum, maximum);
     }},
    {"editFrequency",
     [](Input &in) {
         return editFrequency(in.ConsumeBool() ? ChannelSide::Receive : ChannelSide::Transmit);
     }},
    {"editTone",
     [](Input &in) {
         return editTone(
             in.PickValueInArray({ToneSide::Alone, ToneSide::Receive, ToneSide::Transmit}),
             in.PickValueInArray(kOptionLists));
     }},
    {"editTimer",
     [](Input &in) {
         const auto [minimum, maximum] = range(in, 0, 10000000);
         return editTimer(intIn(in, 1, 1000), minimum, maximum, anyOffText(in), intIn(in, 0, 4));
     }},
    {"editTimerReal",
     [](Input &in) {
         const auto [minimum, maximum] = range(in, 0, 10000000);
         return editTimerReal(in.ConsumeFloatingPointInRange(0.01, 1000.0), minimum, maximum,
                              anyOffText(in), intIn(in, 0, 4));
     }},
    {"editTimerByte",
     [](Input &in) {
         const auto [minimum, maximum] = range(in, 0, 255);
         return editTimerByte(in.ConsumeFloatingPointInRange(0.01, 1000.0), minimum, maximum,
                              anyOffText(in), intIn(in, 0, 4));
     }},
    {"editMinSec",
     [](Input &in) {
         const auto [minimum, maximum] = range(in, 0, 360000);
         return editMinSec(minimum, maximum, in.PickValueInArray({1, 2, 5, 10, 15, 30, 60}));
     }},
    {"editHexValue",
     [](Input &in) {
         const auto [minimum, maximum] = range(in, 0, INT32_MAX);
         return editHexValue(minimum, maximum, intIn(in, 1, 8));
     }},
    {"editHexDigits", [](Input &in) { return editHexDigits(intIn(in, 1, 8), in.ConsumeBool()); }},
    {"editHexDigit", [](Input &in) { return editHexDigit(in.ConsumeBool()); }},
    {"editBitSet",
     [](Input &in) {
         const std::int32_t first = intIn(in, 0, 10);
         return editBitSet(first, intIn(in, first, first + 24), in.PickValueInArray({0, 2, 3}),
                           "GI_Win_Bits");
     }},
    {"editFlagSet", [](Input &) { return editFlagSet("GI_PMenu_Atr"); }},
};

const std::int32_t kKeys[] = {0,   8,   13,  32,  '.', '-', '=', ':', '0', '1', '7', '9', 'a',
                              'A', 'F', 'f', 'G', 'o', 'O', 'z', 'Z', 'x', '_', 127, 256};

ToneSetting anyTone(Input &in)
{
    return ToneSetting::fromStored(in.ConsumeIntegral<std::uint8_t>(),
                                   in.ConsumeIntegral<std::uint8_t>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in(data, size);
    const FuzzedCodec &row =
        kCodecs[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kCodecs) - 1)];
    const CellCodec codec = row.make(in);
    const std::int32_t stored = anyInt(in);

    datCh record;
    record.FreqR = in.ConsumeBool() ? 0 : anyInt(in);
    record.FreqT = in.ConsumeBool() ? record.FreqR : anyInt(in);
    record.CToneR = anyTone(in);
    record.CToneT = in.ConsumeBool() ? record.CToneR : anyTone(in);

    CodecRequest request;
    request.kind = in.PickValueInArray({CodecRequest::Kind::Draw, CodecRequest::Kind::Key,
                                        CodecRequest::Kind::Typed, CodecRequest::Kind::Chosen});
    request.code = in.ConsumeBool() ? in.PickValueInArray(kKeys) : anyInt(in);
    request.shift = in.ConsumeBool();
    request.interactive = in.ConsumeBool();
    request.chosenStyle = in.ConsumeBool() ? in.PickValueInArray({1, 4, 6}) : anyInt(in);
    request.chosenEntry = in.ConsumeBool() ? intIn(in, -2, 60) : anyInt(in);
    request.index = anyInt(in);
    request.record = in.ConsumeBool() ? &record : nullptr;
    maybeWithTexts(in, request, fixture());
    const std::string cellText = in.ConsumeRandomLengthString(32);
    request.cellText = cellText;
    const std::string typed = in.ConsumeRemainingBytesAsString();
    request.typed = typed;

    checkAnswer(row.name, request, codec(stored, request));
    return 0;
}
