#pragma once

#include <array>
#include <cstdint>

// The multi-table keeps, per set, row and entry, the last bytes of each of
// its two value forms, so that switching an entry's form back and forth does
// not lose what the user had typed. The model object owns one instance; the
// layout conversions initialise it and the multi-table rows read and update it.
struct MultiTableShadows {
    static constexpr int kRecords = 16;
    static constexpr int kItems = 16;
    static constexpr int kItemBytes = 6;

    using Item = std::array<std::uint8_t, kItemBytes>;
    using Table = std::array<std::array<Item, kItems>, kRecords>;

    Table first{};
    Table second{};
};
