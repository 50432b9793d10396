#pragma once

#include "image/WorkingLayout.h"

#include <cstdint>

// Fixed places in the working layout that the list records and the channel
// globals use. Where a constant is the start of a parameter block, the block
// number is given; a test holds each against the layout conversion's block
// table.
namespace channel_offsets {

// Memory channels.
constexpr int32_t kChannelMain = working_layout::kChannelMain;   // block 2
constexpr int32_t kChannelExtra = working_layout::kChannelExtra; // block 3
constexpr int32_t kPriorityA = 0x103C0;                          // block 7
constexpr int32_t kPriorityB = 0x103C2;                          // block 7
constexpr int32_t kScanBitmaps = 0x103D0;                        // block 15, 17 bitmaps of 4 bytes
constexpr int32_t kBankSmarTrunk = 0x10E8A;                      // block 8
constexpr int32_t kChannelE = 0x10E8B;                           // block 8
constexpr int32_t kChannelEActive = 0x10E95;                     // block 8, bit 5
// One 16-bit word a bank; this model has bank 0 only.
constexpr int32_t kBankCounts = working_layout::kChannelCount;
constexpr int32_t kBankLtr = 0x10F10;  // block 8
constexpr int32_t kBankName = 0x11463; // block 13
constexpr int kChannels = working_layout::kChannelSlots;
constexpr int kChannelMainSize = working_layout::kChannelMainSize;
constexpr int kChannelExtraSize = working_layout::kChannelExtraSize;

// Other lists.
constexpr int32_t kGlyph24 = 0x10F53;         // block 10
constexpr int32_t kGlyph49 = 0x110D3;         // block 11
constexpr int32_t kDtmfMemory = 0x11751;      // block 17
constexpr int32_t kScanList = 0x1150F;        // block 16
constexpr int32_t kToneList = 0x1146F;        // block 14
constexpr int32_t kToneListSel = 0x10EF1;     // block 8
constexpr int32_t kRxCode = 0x11AA8;          // block 20
constexpr int32_t kTxCode = 0x10414;          // block 18
constexpr int32_t kTxCodeText = 0x118E8;      // block 19
constexpr int32_t kGroupCode = 0x10E90;       // block 8
constexpr int32_t kUserToneEncode = 0x113E3;  // block 12
constexpr int32_t kUserToneDecode = 0x11401;  // inside block 12
constexpr int32_t kTwoToneRxFreq = 0x113DB;   // row 1 starts at block 12
constexpr int32_t kTwoTonePeriod = 0x11445;   // inside block 12
constexpr int32_t kMskIdGroup = 0x11CCE;      // block 29
constexpr int32_t kMskCallAdr = 0x10494;      // block 27
constexpr int32_t kMskCallText = 0x11E26;     // block 28
constexpr int32_t kMskStatusRx = 0x12186;     // block 31
constexpr int32_t kMskStatusTx = 0x12006;     // block 30
constexpr int32_t kMskShortText = 0x10514;    // block 32
constexpr int32_t kMskShortTextSel = 0x12306; // block 33
constexpr int32_t kDigInd = 0x12316;          // block 34
constexpr int32_t kDigTg = 0x14258;           // block 35
constexpr int32_t kDigNacCh = 0x163B3;        // block 36
constexpr int32_t kDigNacChSel = 0x10EF6;     // block 8
constexpr int32_t kDigStatusRx = 0x1706F;     // block 43
constexpr int32_t kDigStatusTx = 0x16A2F;     // block 42
constexpr int32_t kDigKey = 0x17719;          // block 51
constexpr int32_t kDigSdm = 0x10574;          // block 56
constexpr int32_t kDigSdmSel = 0x176F5;       // block 57
constexpr int32_t kDpmrId = 0x177B1;          // block 69
constexpr int32_t kDpmrStatusRx = 0x19D05;    // block 73
constexpr int32_t kDpmrStatusTx = 0x19B05;    // block 72
constexpr int32_t kDpmrSdm = 0x105EC;         // block 76
constexpr int32_t kDpmrSdmSel = 0x19F33;      // block 77
constexpr int32_t kDpmrKey = 0x19F49;         // block 79
constexpr int32_t kDtmfDecode = 0x1A514;      // block 40
constexpr int32_t kChSwitchTable = 0x1A730;   // block 44
constexpr int32_t kMultiTable = 0x1A78B;      // block 49, 16 sets of 96 bytes
// Settings that name an entry of a growing list by its number.
constexpr int32_t kDigIndEntryWord = 0x176F2;  // block 59, individual-ID entry
constexpr int32_t kDpmrIdEntryWord = 0x19F31;  // block 75, dPMR ID entry
constexpr int32_t kDpmrIdEntryWord2 = 0x1A08D; // block 81, dPMR ID entry
constexpr int32_t kDpmrIdEntryWord3 = 0x1A08F; // block 81, dPMR ID entry
// Signalling globals.
constexpr int32_t kMskGroupStart = 0x11E1E;    // first MSK group address, 16-bit
constexpr int32_t kDpmrFirstGroupId = 0x1A089; // first dPMR group identity, packed
constexpr int kDtmfDecodeRows = 10;
constexpr int kDtmfDecodeSize = 54;
constexpr int kDtmfDecodeDigitCount = 52;

// Records in use of the three growing lists (kept by the layout conversion).
constexpr int32_t kDigIndCount = working_layout::kRecordsInUse34;
constexpr int32_t kDigTgCount = working_layout::kRecordsInUse35;
constexpr int32_t kDpmrIdCount = working_layout::kRecordsInUse69;
constexpr int kListCapacity = 500;

} // namespace channel_offsets
