#include "bindings/MultiTableBindings.h"

#include "cells/CellLabels.h"
#include "cells/cmcCellCapsule.h"
#include "cells/indCellHandler.h"
#include "channels/MultiTableSelection.h"
#include "channels/datCh.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/ToneCodec.h"

#include <cstdio>

// The rows are records of kind 29 (block 49, 0x1A78B, 96 bytes a set); the
// record reads the set the sheet selected and keeps the shadows that let an
// entry switch its type back and forth without losing its value.

namespace {

constexpr std::int32_t kToneType = 0;
constexpr const char *kToneList = "GI_Sheet_Sel_Mch_CTone";

// One type for the row: the decoded and the sent value are of one kind.
std::int32_t rowType(indCellHandler &frame) { return frame.record.DecodeType; }

void setRowType(indCellHandler &frame, std::int32_t type)
{
    frame.record.DecodeType = type;
    frame.record.EncodeType = type;
    frame.record.commit();
    frame.NoteRecordChanged();
}

template <ToneSetting datCh::*Tone>
std::int32_t tone(indCellHandler &frame)
{
    return packTone(frame.record.*Tone);
}

template <ToneSetting datCh::*Tone>
void setTone(indCellHandler &frame, std::int32_t value)
{
    frame.record.*Tone = unpackTone(value);
    frame.record.commit();
    frame.NoteRecordChanged();
}

template <ToneSetting datCh::*Tone, std::int32_t datCh::*Value>
struct Entry {
    static inline const CellBinding toneRow{.storage =
                                                CellStorage::model(tone<Tone>, setTone<Tone>),
                                            .codec = editTone(ToneSide::Alone, kToneList)};
    static inline const CellBinding valueRow{.storage = CellStorage::record(Value),
                                             .codec = editIntegerSaturate(0, 255)};
};

// The entry shows a tone or a one-byte code by the type of its row.
template <std::int32_t datCh::*Type, ToneSetting datCh::*Tone, std::int32_t datCh::*Value>
void runEntry(indCellHandler &frame, const CellBinding &)
{
    using Rows = Entry<Tone, Value>;
    CellBinding::RunValue(frame, frame.record.*Type == kToneType ? Rows::toneRow : Rows::valueRow);
}

// Which set the rows belong to; the tree chooses it.
void runSetNumber(indCellHandler &frame, const CellBinding &)
{
    if (!frame.IsDraw())
        return;
    const MultiTableSelection *selection = frame.record.selection;
    char text[32];
    std::snprintf(text, sizeof text, "%d (No Edit)",
                  (selection != nullptr ? selection->set() : 0) + 1);
    frame.SetOutput(text);
}

const CellBinding kRows[] = {
    {.label = CL_MultiTable_BlockNo, .run = runSetNumber},
    {.label = CL_MultiTable_Type,
     .storage = CellStorage::model(rowType, setRowType),
     .codec = editOption("GI_Sheet_Sel_MultiTable_Type", Flex0),
     .redrawOnChange = cmcCellCapsule::kRedrawSameIndex},
    {.label = CL_MultiTable_Decode,
     .run = runEntry<&datCh::DecodeType, &datCh::DecodeTone, &datCh::DecodeValue>},
    {.label = CL_MultiTable_Encode,
     .run = runEntry<&datCh::EncodeType, &datCh::EncodeTone, &datCh::EncodeValue>},
};

} // namespace

std::span<const CellBinding> multiTableBindings() { return kRows; }
