#pragma once

#include <cstdint>
#include <span>

// Every parameter block of the radio's parameter table and its fixed place in
// the working layout. A block with records has a record size and a maximum
// count; a single block has only a length (count 0).
namespace parameter_blocks {

// When the conversion into the radio layout emits the block.
enum class Written : uint8_t {
    Always,
    ModelType0,
    ModelType1,
    Never,    // read from radio layouts, never written back
    Channels, // the channel records' variable part, emitted by count
};

// How the conversion of an initial file fills the block.
enum class InitialFill : uint8_t {
    NotRead,
    Template, // the file's first record goes into every record slot
    Records,  // records one by one, as from a radio
    Single,   // one run of initialLength bytes
};

struct Block {
    uint16_t id;
    int32_t offset;     // in the working image
    int32_t recordSize; // the length of a single block
    int32_t count;      // 0 for a single block
    Written written;
    InitialFill initial;
    int32_t initialLength; // for InitialFill::Single

    bool isSingle() const { return count == 0; }
    // Bytes the block takes in the working layout.
    int32_t workingLength() const { return isSingle() ? recordSize : recordSize * count; }
};

std::span<const Block> all();
// The block with this id, or nullptr.
const Block *find(int id);

// Lists whose number of records in use the working layout keeps: blocks 34,
// 35 and 69. Returns the offset of the counter word, or -1.
int32_t recordsInUseWord(int id);

} // namespace parameter_blocks
