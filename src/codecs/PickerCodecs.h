#pragma once

#include "cells/CellCodec.h"
#include "channels/DpmrIdentity.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

class cmcFCache;

// Values picked from lists: items of a selection sheet, an option or a
// number, an entry of the dPMR ID list, the channel of a scan list. Texts
// come from the request's text database and format cache.

// How a typed text finds an item of a cell list.
enum class CellMatch : std::uint8_t {
    Number = 0,           // the item whose text is the nearest number ("of..." is 0)
    Prefix = 1,           // the first item whose text begins with the typed text
    PrefixThenNumber = 2, // the prefix, else the nearest number
};

// The value of an item of the selection sheet `listName`: the items are its
// cells labelled `label` ("<listName>_Cells"), each a text and a value (its
// index). Shows the current item's text; a typed text picks an item by
// `match`; Enter opens the sheet (style `label`) and its answer becomes the
// value; with `stepping`, Space and Backspace go to the next and previous
// item; a printable key starts the editor with itself.
CellCodec pickFromCells(const char *listName, std::int32_t label, CellMatch match, bool stepping);

// An entry of a list whose popup `listName` loops over the list's entries in
// the image (record kind `recordKind`, read through the request's record):
// as pickFromCells, but a typed n chooses entry n (counted from 1) when the
// list holds it and changes nothing otherwise.
CellCodec pickListEntry(const char *listName, std::int32_t label, int recordKind);

// The smallest and largest value among the items of a cell list; none when
// it has no item.
std::optional<std::pair<std::int32_t, std::int32_t>>
cellItemRange(cmcFCache &formats, std::string_view listName, std::int32_t label);

// An option or a number. The options are the items labelled `optionLabel`
// in `optionList`; its last item (in the sheet's order), g, stands for "a
// number", and the numbers run from g up to the largest item labelled
// `numberLabel` in `numberList`. A number shows as itself, anything else as
// its option. Typed digits give a number pulled into that range ("off" and
// 0 give 0 where `zeroAllowed`); choosing item g in the option list opens
// the number list; Space and Backspace step through the options, past g.
CellCodec pickOptionOrNumber(const char *optionList, std::int32_t optionLabel,
                             const char *numberList, std::int32_t numberLabel, bool zeroAllowed);

// An index into the dPMR ID list (read through the request's record),
// offering the entries that pass `filter`. Shows the index + 1, ": " and the
// entry's identity; Space and Backspace go to the next and previous entry
// that passes, Enter opens `listKey` on those entries (list tag Z, W or V,
// style Flex_Dpmr_CallList_ChNo and its _Grp, _Inv forms), whose n-th row
// answers the n-th passing entry.
CellCodec pickCallList(const char *listKey, DpmrIdFilter filter);

// The list style and tag of the entries a call list filter offers.
std::int32_t callListStyle(DpmrIdFilter filter);
const char *callListTag(DpmrIdFilter filter);

// The priority 1, priority 2 or transmit channel of a scan list: an option
// and, for option 5, a channel of the memory. The value is bytes: the
// option and the channel index, each a 4-byte number
// (recordBytes<&datCh::Prio1_CH, &datCh::Prio1ChNo>() and the like).
inline constexpr std::int32_t kScanChannelOption = 5;

// The lists a setting is chosen from: its own option list (style Flex0;
// GI_Sheet_Sel_ScanPrio1CH, ..Prio2CH or ..TXCH), the bank list (style
// FlexZoneSel, tag B; GI_Sheet_Sel_ScanZoneSel), the channel list (style
// FlexCHSel, tag C; GI_Sheet_Sel_ScanCHSel) and the text shown after a
// channel's number (line 0 of GI_AddCH).
struct ScanChannelLists {
    const char *options = "";
    const char *banks = "";
    const char *channels = "";
    const char *afterChannel = "";
};

// The bank whose channels the channel list shows: the bank chosen last in
// the bank list, kept by the bindings for every scan channel cell.
struct ScanBankChoice {
    std::int32_t bank = 0;
};

// Shows the option, or for option 5 the channel's place in its bank + 1
// and the text after it. The option list answers an option; option 5
// opens the channel list of the remembered bank. The bank list's answer
// remembers a bank that holds channels and opens its channel list; the
// channel list's answer sets the channel. Space and Backspace step through
// the options, Enter opens their list.
CellCodec pickScanChannel(const ScanChannelLists &lists, ScanBankChoice *remembered);
