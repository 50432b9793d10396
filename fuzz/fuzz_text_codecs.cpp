// Drives the digit, identity, text and picker codecs and the user character
// cell with parameters within their documented ranges, any stored value (a
// number or bytes of any length) and any request: keys, typed texts, list
// and window answers, with or without a record of the row over an image
// whose lists hold fuzzed entries. Nothing may crash or read out of bounds,
// a draw must open nothing, an editor's or text window's selection must lie
// within its text, and new bytes must be as long as the stored ones.
//
// The first byte picks the codec from kCodecs; the codec's row reads its
// parameters from the input, then the image, the stored value and the
// request follow. To fuzz another codec, add a row to kCodecs (lists and
// texts it reads go into overlayLines).

#include "cells/CellCodec.h"
#include "cells/CellLabels.h"
#include "cells/cmcFCache.h"
#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "codecs/DigitCodecs.h"
#include "codecs/PickerCodecs.h"
#include "codecs/TextCodecs.h"
#include "codecs/UserCharacterCodec.h"
#include "image/cmcEeprom.h"
#include "textdb/cmcGTex.h"

#include "CodecFuzzing.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace codec_fuzzing;

std::vector<std::string> overlayLines()
{
    return {
        "#GI_AddCH",
        "ch",
        "#",
        "#GI_Sheet_Sel_Test_Items_Cells",
        "{(%Flex0[0])}OFF|{(%Flex1[9])}20",
        "{(%Flex0[1])}12.5|{(%Flex0[-3])}-1e308",
        "{(%Flex0[7])}Alpha|{(%Flex1[2])}2",
        "#",
        "#GI_Sheet_Sel_Test_Empty_Cells",
        "no items here",
        "#",
        "#GI_Sheet_Sel_ScanPrio1CH_Cells",
        "{(%Flex0[0])}OFF|{(%Flex0[5])}Channel",
        "#",
        "#GI_Sheet_Sel_ScanTXCH_Cells",
        "nothing to choose",
        "#",
        "#End_Of_Ovl",
    };
}

FuzzTexts &fixture()
{
    static FuzzTexts texts(overlayLines());
    return texts;
}

// A working image whose dPMR list, first group identity and bank count
// each input fills in.
cmcEeprom &workingImage()
{
    static cmcEeprom *image = [] {
        auto *made = new cmcEeprom;
        made->SetSize(110839);
        made->Fill(0);
        return made;
    }();
    return *image;
}

// A key the overlay lacks is a broken overlay, which stops the program
// by design; only keys it holds are fuzzed.
const char *const kLists[] = {"GI_Sheet_Sel_Test_Items", "GI_Sheet_Sel_Test_Empty"};

std::int32_t anyLabel(Input &in)
{
    return in.PickValueInArray<std::int32_t>({Flex0, Flex1, Flex2});
}

ScanBankChoice g_bank;

struct FuzzedCodec {
    const char *name;
    CellCodec (*make)(Input &in);
};

const FuzzedCodec kCodecs[] = {
    {"editDtmfDigits", [](Input &in) { return editDtmfDigits(intIn(in, 0, 30)); }},
    {"editFiveTone",
     [](Input &in) {
         return editFiveTone(in.ConsumeBool() ? FiveToneForm::Receive : FiveToneForm::Transmit);
     }},
    {"editIdBcd",
     [](Input &in) { return editIdBcd(in.ConsumeBool() ? kOwnUnitIdRange : kDpmrListIdRange); }},
    {"editHexString", [](Input &in) { return editHexString(intIn(in, 0, 40), in.ConsumeBool()); }},
    {"editFixedText",
     [](Input &in) {
         return editFixedText(
             intIn(in, 0, 40),
             in.PickValueInArray({TextFill::Spaces, TextFill::Zeros, TextFill::ZerosLowerCase,
                                  TextFill::ZerosKeepSpaces}));
     }},
    {"editCwText", [](Input &in) { return editCwText(intIn(in, 0, 40)); }},
    {"editName",
     [](Input &in) {
         return editName(intIn(in, 0, 120), in.ConsumeBool() ? NameFill::Spaces : NameFill::Zeros);
     }},
    {"editUserChar", [](Input &) { return editUserChar(); }},
    {"pickFromCells",
     [](Input &in) {
         return pickFromCells(in.PickValueInArray(kLists), anyLabel(in),
                              in.PickValueInArray({CellMatch::Number, CellMatch::Prefix,
                                                   CellMatch::PrefixThenNumber}),
                              in.ConsumeBool());
     }},
    {"pickOptionOrNumber",
     [](Input &in) {
         return pickOptionOrNumber(in.PickValueInArray(kLists), anyLabel(in),
                                   in.PickValueInArray(kLists), anyLabel(in), in.ConsumeBool());
     }},
    {"pickCallList",
     [](Input &in) {
         return pickCallList("GI_Sheet_Sel_CallList",
                             in.PickValueInArray({DpmrIdFilter::All, DpmrIdFilter::Group,
                                                  DpmrIdFilter::Individual}));
     }},
    {"pickScanChannel",
     [](Input &in) {
         g_bank.bank = in.ConsumeIntegral<std::int32_t>();
         return pickScanChannel(
             {.options = in.PickValueInArray({"GI_Sheet_Sel_ScanPrio1CH", "GI_Sheet_Sel_ScanTXCH"}),
              .banks = "GI_Sheet_Sel_ScanZoneSel",
              .channels = "GI_Sheet_Sel_ScanCHSel",
              .afterChannel = in.ConsumeBool() ? "GI_AddCH" : "GI_Missing"},
             in.ConsumeBool() ? &g_bank : nullptr);
     }},
};

const std::int32_t kKeys[] = {0,   8,   13,  32,  '.', '*', '#', '+', '%', '0', '7', 'a',
                              'F', 'f', 'G', 'g', 'o', 'O', 'x', 127, 200, 255, 256, -1};

void fillLists(Input &in, cmcEeprom &image)
{
    const auto word = [&image](std::int32_t at, std::uint16_t value) {
        image.SetByte(at, static_cast<std::uint8_t>(value >> 8));
        image.SetByte(at + 1, static_cast<std::uint8_t>(value));
    };
    word(channel_offsets::kDpmrIdCount, in.ConsumeIntegral<std::uint16_t>());
    word(channel_offsets::kBankCounts, in.ConsumeIntegral<std::uint16_t>());
    for (std::int32_t i = 0; i < 4; ++i)
        image.SetByte(channel_offsets::kDpmrFirstGroupId + i, in.ConsumeIntegral<std::uint8_t>());
    for (std::int32_t row = 0; row < 3; ++row) {
        for (std::int32_t i = 0; i < 4; ++i)
            image.SetByte(channel_offsets::kDpmrId + 18 * row + i,
                          in.ConsumeIntegral<std::uint8_t>());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in(data, size);
    const FuzzedCodec &row =
        kCodecs[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kCodecs) - 1)];
    const CellCodec codec = row.make(in);

    cmcEeprom &image = workingImage();
    fillLists(in, image);
    datCh record(&image);
    record.decode(datCh::kKindScanList, 0);

    const std::int32_t stored = in.ConsumeIntegral<std::int32_t>();
    const std::vector<std::uint8_t> storedBytes =
        in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 140));

    CodecRequest request;
    request.kind = in.PickValueInArray({CodecRequest::Kind::Draw, CodecRequest::Kind::Key,
                                        CodecRequest::Kind::Typed, CodecRequest::Kind::Chosen});
    request.code =
        in.ConsumeBool() ? in.PickValueInArray(kKeys) : in.ConsumeIntegral<std::int32_t>();
    request.interactive = in.ConsumeBool();
    request.chosenStyle = in.ConsumeBool()
                              ? in.PickValueInArray<std::int32_t>(
                                    {Flex0, Flex1, FlexZoneSel, FlexCHSel, Flex_Dpmr_CallList_ChNo,
                                     Flex_Dpmr_CallList_ChNo_Grp, Flex_Dpmr_CallList_ChNo_Inv})
                              : in.ConsumeIntegral<std::int32_t>();
    request.chosenEntry = in.ConsumeBool() ? intIn(in, -2, 40) : in.ConsumeIntegral<std::int32_t>();
    request.index = in.ConsumeBool() ? intIn(in, -1, 17) : in.ConsumeIntegral<std::int32_t>();
    request.context = in.ConsumeBool() ? intIn(in, 0, 15) : in.ConsumeIntegral<std::int32_t>();
    request.record = in.ConsumeBool() ? &record : nullptr;
    maybeWithTexts(in, request, fixture());
    const std::string typed = in.ConsumeRemainingBytesAsString();
    request.typed = typed;

    const CodecAnswer answer =
        codec.TakesBytes() ? codec(CellCodec::Bytes(storedBytes), request) : codec(stored, request);
    checkAnswer(row.name, request, answer);
    if (answer.open.kind == CodecOpen::Kind::Window &&
        answer.open.window == CodecOpen::Window::FormattedText &&
        !selectionInside(answer.open, answer.open.text.size()))
        fail(row.name, "the text window's selection lies outside its text");
    if (answer.bytes && answer.bytes->size() != storedBytes.size())
        fail(row.name, "the new bytes differ in length from the stored ones");
    if (answer.bytes && !codec.TakesBytes())
        fail(row.name, "a codec of numbers answered bytes");
    return 0;
}
