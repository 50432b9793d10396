#pragma once

#include "image/AddressRange.h"

#include <cstdint>

class cmcVrcFile;

// What this radio model demands of its clone files: the codes in the header,
// the map revisions it understands and the addresses a file holds. The model
// object hands these to every file it opens, saves or loads as initial file.
namespace clone_file_policy {

constexpr uint16_t kModelCode = 0x3079;
constexpr uint16_t kSubCodeWritten = 0x0000;
// Files of the model's other variant carry this sub-code and load as well.
constexpr uint16_t kSubCodeOtherVariant = 0x0100;
constexpr int kMapRevisionWritten = 1;
constexpr int kFirstRefusedMapRevision = 2;
// A file always holds the radio's own layout.
constexpr int32_t kFirstFileAddress = 0x0000;
constexpr int32_t kLastFileAddress = 0xFF7F;

// cmcVrcFile::HeaderCheck: model code 0x3079 (else 3), sub-code 0 or 0x0100 (else 4).
bool acceptHeader(void *context, int modelCode, int subCode, int *error);
// cmcVrcFile::MapRevisionCheck: revisions below 2, an absent one (-1) too.
bool acceptMapRevision(void *context, int revision);
// The ranges files are read and written with: 0x0000-0xFF7F, then the end pair.
RangeList fileRanges();
// Model codes, revision to write and both checks, as every file operation uses them.
void applyTo(cmcVrcFile &file);

} // namespace clone_file_policy
