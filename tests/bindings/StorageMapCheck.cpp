#include "StorageMapCheck.h"

#include "cells/CellIdentifiers.h"
#include "cells/CellLabels.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace {

using parameter_blocks::Block;

std::string hex(std::int64_t address)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%05llX", static_cast<long long>(address));
    return text;
}

std::string rowName(const CellBinding &row)
{
    std::string name(cellLabelName(row.label));
    if (row.LastLabel() != row.label)
        name += ".." + std::string(cellLabelName(row.LastLabel()));
    return name;
}

// "bits 7-4", "bit 0", "bits 6, 3-0", "all bits".
std::string bitsText(std::uint8_t mask)
{
    if (mask == 0xFF)
        return "all bits";
    std::string runs;
    int count = 0;
    for (int high = 7; high >= 0;) {
        if ((mask & (1u << high)) == 0) {
            --high;
            continue;
        }
        int low = high;
        while (low > 0 && (mask & (1u << (low - 1))) != 0)
            --low;
        runs += (runs.empty() ? "" : ", ") + std::to_string(high);
        if (low != high)
            runs += "-" + std::to_string(low);
        count += high - low + 1;
        high = low - 1;
    }
    return (count == 1 ? "bit " : "bits ") + runs;
}

// The bytes one place of a value covers, with the bits it uses in each.
std::vector<std::pair<std::int64_t, std::uint8_t>> placeBytes(const CellStorage &storage,
                                                              std::int64_t at)
{
    std::vector<std::pair<std::int64_t, std::uint8_t>> bytes;
    if (storage.kind == CellStorage::Kind::ImageBytes) {
        for (std::int32_t i = 0; i < storage.length; ++i)
            bytes.emplace_back(at + i, 0xFF);
        return bytes;
    }
    const int count = (storage.firstBit + storage.bitCount + 7) / 8;
    const std::uint64_t field =
        (storage.bitCount >= 32 ? 0xFFFFFFFFull : (1ull << storage.bitCount) - 1)
        << storage.firstBit;
    for (int i = 0; i < count; ++i)
        bytes.emplace_back(at + i,
                           static_cast<std::uint8_t>(field >> (8 * (count - 1 - i)) & 0xFF));
    return bytes;
}

bool isImage(const CellStorage &storage)
{
    return storage.kind == CellStorage::Kind::Image ||
           storage.kind == CellStorage::Kind::ImageBytes;
}

const Block *blockHolding(std::span<const Block> blocks, std::int64_t first, std::int64_t last)
{
    for (const Block &block : blocks) {
        if (first >= block.offset && last < std::int64_t{block.offset} + block.workingLength())
            return &block;
    }
    return nullptr;
}

struct Footprint {
    std::vector<std::pair<std::int64_t, std::uint8_t>> bytes;
    std::optional<std::string> fault;
};

// Every byte a storage reaches over the labels of its row and the indexes
// of its stride.
Footprint footprintOf(const CellBinding &row, const CellStorage &storage, const char *what,
                      std::span<const Block> blocks)
{
    Footprint footprint;
    const std::string name = rowName(row) + what;
    std::int64_t indexes = 1;
    if (storage.stride != 0) {
        indexes = storage.indexCount;
        if (indexes == 0) {
            // One index a record: the stride must be the record size of the
            // block that holds index 0.
            const Block *block = blockHolding(blocks, storage.offset, storage.offset);
            if (block == nullptr || block->isSingle() || block->recordSize != storage.stride) {
                footprint.fault = name + ": steps " + std::to_string(storage.stride) +
                                  " bytes per index from " + hex(storage.offset) +
                                  " but names no index count (CellStorage::forIndexes) and "
                                  "steps through no records of that size";
                return footprint;
            }
            indexes = block->count - (storage.offset - block->offset) / block->recordSize;
        }
    }
    const std::int64_t labels = storage.perLabel != 0 ? row.LastLabel() - row.label + 1 : 1;
    std::int64_t first = INT64_MAX;
    std::int64_t last = INT64_MIN;
    for (std::int64_t label = 0; label < labels; ++label) {
        for (std::int64_t index = 0; index < indexes; ++index) {
            const std::int64_t at =
                storage.offset + index * storage.stride + label * storage.perLabel;
            for (const auto &byte : placeBytes(storage, at)) {
                footprint.bytes.push_back(byte);
                first = std::min(first, byte.first);
                last = std::max(last, byte.first);
            }
        }
    }
    if (blockHolding(blocks, first, last) == nullptr) {
        const Block *start = blockHolding(blocks, first, first);
        footprint.fault =
            name + ": bytes " + hex(first) + ".." + hex(last) + " lie in no one parameter block" +
            (start != nullptr ? " (they start in block " + std::to_string(start->id) + ")"
                              : " (the first lies in none)");
    }
    return footprint;
}

struct Writer {
    const CellBinding *row;
    std::uint8_t mask;
};

} // namespace

std::vector<std::string> storageMapFaults(std::span<const CellBinding *const> rows,
                                          std::span<const Block> blocks)
{
    std::vector<std::string> faults;
    std::map<std::int64_t, std::vector<Writer>> writers;
    for (const CellBinding *row : rows) {
        if (isImage(row->context)) {
            if (const Footprint read = footprintOf(*row, row->context, " (context)", blocks);
                read.fault)
                faults.push_back(*read.fault);
        }
        if (!isImage(row->storage))
            continue;
        const Footprint written = footprintOf(*row, row->storage, "", blocks);
        if (written.fault)
            faults.push_back(*written.fault);
        std::map<std::int64_t, std::uint8_t> own;
        for (const auto &[address, mask] : written.bytes)
            own[address] |= mask;
        for (const auto &[address, mask] : own)
            writers[address].push_back({row, mask});
    }

    // Each pair of rows once, with every byte they share.
    std::map<std::pair<const CellBinding *, const CellBinding *>, std::string> shared;
    std::vector<std::pair<const CellBinding *, const CellBinding *>> order;
    for (const auto &[address, list] : writers) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            for (std::size_t j = i + 1; j < list.size(); ++j) {
                const std::uint8_t both = list[i].mask & list[j].mask;
                const bool intended =
                    ((list[i].row->flags | list[j].row->flags) & CellBinding::kSharedBits) != 0;
                if (both == 0 || intended)
                    continue;
                const auto pair = std::make_pair(list[i].row, list[j].row);
                std::string &bytes = shared[pair];
                if (bytes.empty())
                    order.push_back(pair);
                bytes += (bytes.empty() ? "" : ", ") + hex(address) + " " + bitsText(both);
            }
        }
    }
    for (const auto &pair : order)
        faults.push_back(rowName(*pair.first) + " and " + rowName(*pair.second) + " both write " +
                         shared[pair] +
                         " (mark one CellBinding::kSharedBits if they show one setting)");
    return faults;
}

std::vector<const CellBinding *> registryRows(const CellBindingRegistry &registry)
{
    std::vector<const CellBinding *> rows;
    std::set<const CellBinding *> seen;
    for (std::int32_t label = 0; label < kLabelCount; ++label) {
        const CellBinding *row = registry.Find(label);
        if (row != nullptr && seen.insert(row).second)
            rows.push_back(row);
    }
    return rows;
}
