#pragma once

#include <array>
#include <cstdint>
#include <string>

class cmcEeprom;

// The MSK address plan. Addresses are 12-bit numbers 0..4095: from 0 up to
// the group start address - 1 individual addresses, from the group start
// on group addresses. The record reads the group start from the working
// image and derives the range every address cell of the MSK sheets allows,
// so that values outside it get the error mark.
class datQsigAdr
{
public:
    static constexpr std::int32_t kHighestAddress = 4095;

    // Entries of the range table.
    static constexpr int kEntries = 46;
    static constexpr int kGroupRange = 2;
    static constexpr int kKillerRange = 5;
    // Entry of MSK ID group `row` (0..7); group 0 is individual.
    static constexpr int kIdGroupRanges = 6;
    // Entry of MSK call list row `row` (0..31).
    static constexpr int kCallListRanges = 14;

    struct Range {
        std::int32_t low = 0;
        std::int32_t high = 0;
        std::int32_t spare = 0;

        bool operator==(const Range &) const = default;
    };

    // Reads the group start of `image` (not owned; it must outlive the
    // record) and computes the ranges.
    explicit datQsigAdr(cmcEeprom &image);
    virtual ~datQsigAdr() = default;
    datQsigAdr(const datQsigAdr &) = default;
    datQsigAdr &operator=(const datQsigAdr &) = default;

    // Fills the range table from the group start.
    virtual void Recompute();

    std::int32_t GroupStart() const { return groupStart_; }
    // Writes the group start into the image and recomputes.
    void Store(std::int32_t groupStart);

    // The range of entry `entry`; an empty range (1, 0) outside the table.
    Range RangeOf(int entry) const;
    bool Allows(int entry, std::int32_t address) const;

    // The texts of the address plan's two rows that are not edited: the
    // individual range (row 0 from 0, row 1 up to the group start - 1;
    // "----" while the group start is 0) and the end of the group range
    // (row 1 of the group start column).
    std::string IndividualRangeText(std::int32_t row) const;
    static std::string GroupRangeEndText();

private:
    cmcEeprom *image_;
    std::int32_t groupStart_ = 0;
    std::array<Range, kEntries> ranges_{};
};
