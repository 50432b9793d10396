#pragma once

#include <cstdint>

// Fixed places of the working image: the radio's own memory (0x0000-0xFF7F)
// followed by the working layout, where every parameter block has a fixed
// offset. Every number here is an offset into a working image.
namespace working_layout {

constexpr int32_t kImageSize = 110839;
// One past the radio's last address; the working layout starts here.
constexpr int32_t kRadioEnd = 0xFF80;
constexpr int32_t kLastRadioAddress = 0xFF7F;

// Radio layout: identification and the parameter table's anchors.
constexpr int32_t kLayoutCode = 0x090;
constexpr int32_t kMakerText = 0x100;
constexpr int32_t kMapRevision = 0x108;
constexpr int32_t kSecondVersion = 0x109;
constexpr int32_t kModelCode = 0x10A;
constexpr int32_t kChannelBlocksEnd = 0x110;
constexpr int32_t kEndAddress = 0x112;
constexpr int32_t kBaseAddress = 0x114;
constexpr int32_t kTableHeader = 0x120;
constexpr int32_t kParameterArea = 0x200;

constexpr uint16_t kLayoutCodeValue = 0x3063;
constexpr uint16_t kModelCodeValue = 0x3079;
// The maker's text, at 0x100 and as the end marker of the parameter area.
constexpr const char *kMakerTextValue = "VORN Inc";
constexpr int32_t kMakerTextLength = 8;

// Channel records: 32 slots of a 34-byte main and a 36-byte extra record.
constexpr int kChannelSlots = 32;
constexpr int32_t kChannelMain = 0xFF80;
constexpr int32_t kChannelMainSize = 34;
constexpr int32_t kChannelExtra = 0x109F6;
constexpr int32_t kChannelExtraSize = 36;

// Working-layout bookkeeping.
constexpr int32_t kOptionFlags = 0x10EEF;     // bit 6: a clone write sends every channel slot
constexpr uint8_t kSendAllChannelsBit = 0x40; //
constexpr int32_t kChannelCount = 0x10F0E;    // channels of bank 0, 16-bit
constexpr int32_t kModelOptionBits = 0x10F17; // two bytes that tell the model type
constexpr int32_t kClonePasswordFlag = 0x10F19;
constexpr int32_t kCloneComment1 = 0x10F33;
constexpr int32_t kCloneComment2 = 0x10F43;
constexpr int32_t kCloneCommentLength = 16;
constexpr int32_t kNewerDataMark = 0x11C8C;
constexpr int32_t kDirectoryCopy = 0x1AD97;
constexpr int kDirectoryEntries = 85;
constexpr int32_t kDirectoryEntrySize = 10;
constexpr int32_t kRecordsInUse34 = 0x1B0E9;
constexpr int32_t kRecordsInUse35 = 0x1B0EB;
constexpr int32_t kRecordsInUse69 = 0x1B0ED;
constexpr int32_t kMapRevisionCopy = 0x1B0EF;
constexpr int32_t kSecondVersionCopy = 0x1B0F3;

} // namespace working_layout
