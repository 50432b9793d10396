#pragma once

#include <cstdint>

class datCh;
class indCellHandler;

// Where the value of a bound cell lives: a member of the row's decoded
// record, a bit range of the working image, a field the model or the
// settings keep (reached through two small functions), or the cell's own
// index. Rows name it with the constructors below; Load and Store do the
// reading and the writing back, leaving every other bit untouched.
struct CellStorage {
    enum class Kind : std::uint8_t { None, Record, Image, Model, CellIndex };
    using Getter = std::int32_t (*)(indCellHandler &frame);
    using Setter = void (*)(indCellHandler &frame, std::int32_t value);

    Kind kind = Kind::None;
    std::int32_t datCh::*member = nullptr;
    // Image: offset of the value of index 0 and the distance between the
    // values of consecutive cell indexes (0: one value for every index),
    // and between the values of consecutive labels of a row's run.
    std::int32_t offset = 0;
    std::int32_t stride = 0;
    std::int32_t perLabel = 0;
    // Image: the value's lowest bit and its width; wider than 8 bits reads
    // the bytes from `offset` on as one big-endian number (at most 32 bits).
    std::uint8_t firstBit = 0;
    std::uint8_t bitCount = 8;
    Getter get = nullptr;
    Setter set = nullptr;

    static constexpr CellStorage none() { return {}; }
    static constexpr CellStorage record(std::int32_t datCh::*field)
    {
        CellStorage storage;
        storage.kind = Kind::Record;
        storage.member = field;
        return storage;
    }
    static constexpr CellStorage imageBits(std::int32_t at, int lowestBit, int width,
                                           std::int32_t perIndex = 0)
    {
        CellStorage storage;
        storage.kind = Kind::Image;
        storage.offset = at;
        storage.stride = perIndex;
        storage.firstBit = static_cast<std::uint8_t>(lowestBit);
        storage.bitCount = static_cast<std::uint8_t>(width);
        return storage;
    }
    static constexpr CellStorage imageByte(std::int32_t at, std::int32_t perIndex = 0)
    {
        return imageBits(at, 0, 8, perIndex);
    }
    static constexpr CellStorage model(Getter read, Setter write)
    {
        CellStorage storage;
        storage.kind = Kind::Model;
        storage.get = read;
        storage.set = write;
        return storage;
    }
    // A command: reads 0; storing runs the action.
    static constexpr CellStorage command(Setter action) { return model(nullptr, action); }
    static constexpr CellStorage cellIndex()
    {
        CellStorage storage;
        storage.kind = Kind::CellIndex;
        return storage;
    }
    // The same image value for the first label of a run; each further label
    // of the run finds its value `step` bytes on.
    constexpr CellStorage stepPerLabel(std::int32_t step) const
    {
        CellStorage storage = *this;
        storage.perLabel = step;
        return storage;
    }

    // Whether a table row's description is usable: an image range of 1 to
    // 32 bits that starts within its first byte, a record member, a setter
    // where values are written. Checked when the tables are registered.
    bool IsWellFormed() const;

    // `labelPosition`: the cell's place in its row's run of labels.
    std::int32_t Load(indCellHandler &frame, std::int32_t labelPosition = 0) const;
    // Record members are written back into the image at once (the record is
    // committed), so the finish widens the redraw to the whole row.
    void Store(indCellHandler &frame, std::int32_t value, std::int32_t labelPosition = 0) const;
};
