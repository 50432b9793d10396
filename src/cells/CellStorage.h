#pragma once

#include "cells/CellCodec.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

class datCh;
class indCellHandler;

namespace cell_storage {

// How a record member shows in a byte value: a byte array as its bytes, a
// number as four bytes, most significant first.
template <class Member>
struct BytesOf;

template <std::size_t N>
struct BytesOf<std::array<std::uint8_t, N>> {
    static constexpr std::size_t kSize = N;
    static void Put(const std::array<std::uint8_t, N> &member, CellBytes &bytes)
    {
        bytes.insert(bytes.end(), member.begin(), member.end());
    }
    static void Take(std::array<std::uint8_t, N> &member, std::span<const std::uint8_t> bytes)
    {
        for (std::size_t i = 0; i < N && i < bytes.size(); ++i)
            member[i] = bytes[i];
    }
};

template <>
struct BytesOf<std::int32_t> {
    static constexpr std::size_t kSize = 4;
    static void Put(std::int32_t member, CellBytes &bytes)
    {
        const auto number = static_cast<std::uint32_t>(member);
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<std::uint8_t>(number >> shift));
    }
    static void Take(std::int32_t &member, std::span<const std::uint8_t> bytes)
    {
        if (bytes.size() < kSize)
            return;
        member = static_cast<std::int32_t>(
            (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
            (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]});
    }
};

template <class Record, class Member>
Member memberType(Member Record::*);

template <auto Member>
using MemberBytes = BytesOf<decltype(memberType(Member))>;

} // namespace cell_storage

// Where the value of a bound cell lives: a member of the row's decoded
// record, a bit range of the working image, a field the model or the
// settings keep (reached through two small functions), or the cell's own
// index; for codecs of bytes, record members one after the other or a byte
// range of the working image. Rows name it with the constructors below;
// Load and Store (LoadBytes and StoreBytes) do the reading and the writing
// back, leaving every other bit untouched.
struct CellStorage {
    enum class Kind : std::uint8_t {
        None,
        Record,
        Image,
        Model,
        CellIndex,
        RecordBytes,
        ImageBytes,
    };
    using Getter = std::int32_t (*)(indCellHandler &frame);
    using Setter = void (*)(indCellHandler &frame, std::int32_t value);
    using BytesLoader = CellBytes (*)(const datCh &record);
    using BytesSaver = void (*)(datCh &record, std::span<const std::uint8_t> bytes);

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
    // RecordBytes: the members as bytes and back.
    BytesLoader loadBytes = nullptr;
    BytesSaver saveBytes = nullptr;
    // ImageBytes: how many bytes from `offset` on.
    std::int32_t length = 0;
    // Image values with a stride: how many cell indexes the row serves; 0
    // when it steps through whole records of its parameter block, one index
    // a record. The storage-map check keeps every index inside the block.
    std::int32_t indexCount = 0;

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
    // Record members as one byte value, in the order named: byte arrays as
    // their bytes, numbers as four bytes, most significant first
    // (recordBytes<&datCh::Code, &datCh::Byte28>() is the code's four bytes
    // and then the number's four).
    template <auto... Members>
    static constexpr CellStorage recordBytes()
    {
        CellStorage storage;
        storage.kind = Kind::RecordBytes;
        storage.loadBytes = [](const datCh &record) {
            CellBytes bytes;
            (cell_storage::MemberBytes<Members>::Put(record.*Members, bytes), ...);
            return bytes;
        };
        storage.saveBytes = [](datCh &record, std::span<const std::uint8_t> bytes) {
            std::size_t at = 0;
            ((cell_storage::MemberBytes<Members>::Take(record.*Members,
                                                       bytes.subspan(std::min(at, bytes.size()))),
              at += cell_storage::MemberBytes<Members>::kSize),
             ...);
        };
        return storage;
    }
    // `count` bytes of the working image from `at` on (plus `perIndex` for
    // each cell index).
    static constexpr CellStorage imageBytes(std::int32_t at, std::int32_t count,
                                            std::int32_t perIndex = 0)
    {
        CellStorage storage;
        storage.kind = Kind::ImageBytes;
        storage.offset = at;
        storage.length = count;
        storage.stride = perIndex;
        return storage;
    }
    // A value with a stride that serves `count` cell indexes (0 .. count-1).
    constexpr CellStorage forIndexes(std::int32_t count) const
    {
        CellStorage storage = *this;
        storage.indexCount = count;
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
    // where values are written, an image byte range of at least one byte.
    // Checked when the tables are registered.
    bool IsWellFormed() const;
    // The value is bytes: the row's codec must take bytes too.
    bool HoldsBytes() const { return kind == Kind::RecordBytes || kind == Kind::ImageBytes; }

    // `labelPosition`: the cell's place in its row's run of labels.
    std::int32_t Load(indCellHandler &frame, std::int32_t labelPosition = 0) const;
    // Record members are written back into the image at once (the record is
    // committed), so the finish widens the redraw to the whole row.
    void Store(indCellHandler &frame, std::int32_t value, std::int32_t labelPosition = 0) const;
    // The bytes of a byte value (none for the other kinds). Storing writes
    // as many bytes as the value holds, at most as many as were loaded.
    CellBytes LoadBytes(indCellHandler &frame, std::int32_t labelPosition = 0) const;
    void StoreBytes(indCellHandler &frame, std::span<const std::uint8_t> bytes,
                    std::int32_t labelPosition = 0) const;
};
