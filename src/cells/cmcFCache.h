#pragma once

#include "cells/cmcHash2.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class cmcGTex;

// What the format cache knows of one (selection sheet, label) pair: the
// cells of the sheet that carry the label, as (line, column, value, text)
// records in two orders.
struct cmcFCacheEntry {
    struct Record {
        std::int32_t line = 0;
        std::int32_t column = 0;
        std::int32_t value = 0; // the cell's index
        std::size_t text = 0;   // position in texts
    };

    std::int32_t lines = 0;      // lines of the cells key before the first '#' line
    std::int32_t columns = 0;    // the most cells in one line
    std::int32_t count = 0;      // cells carrying the label
    std::vector<Record> byValue; // ascending value, equal values in sheet order
    std::unique_ptr<cmcFCacheEntry> next;
    std::vector<Record> byPosition; // down each column, then the next column
    std::vector<std::string> texts; // a cell's suffix when it has one, else its text

    const std::string &textOf(const Record &record) const { return texts[record.text]; }
};

// Turns selection sheets of the text database into value-to-text tables, so
// that option cells can show the text of a value and step to the next or
// previous value without building a sheet. Entries are built on first use
// and kept for the cache's life.
class cmcFCache
{
public:
    static constexpr const char *kErrorText = "error";

    // The sheets are read from `texts`, which must outlive the cache.
    explicit cmcFCache(cmcGTex &texts);
    cmcFCache();
    ~cmcFCache();
    cmcFCache(const cmcFCache &) = delete;
    cmcFCache &operator=(const cmcFCache &) = delete;

    // The text that sheet `prefix` shows for `value` in its cells labelled
    // `label`; "error" when it lists no such value. Builds the entry first.
    const std::string &Text(std::string_view prefix, std::int32_t label, std::int32_t value);

    // The value `delta` (+1 or -1) places from `value` in position order,
    // wrapping at either end; a value the entry does not list gives the first
    // one. Nothing when the entry was never built or lists no value.
    std::optional<std::int32_t> Step(std::string_view prefix, std::int32_t label,
                                     std::int32_t value, std::int32_t delta);

    // The entry, built when needed.
    const cmcFCacheEntry &Entry(std::string_view prefix, std::int32_t label);

private:
    static std::string keyOf(std::string_view prefix, std::int32_t label);
    cmcFCacheEntry *find(std::string_view prefix, std::int32_t label) const;
    cmcFCacheEntry &build(std::string_view prefix, std::int32_t label);

    cmcGTex &texts_;
    cmcHash2 index_;
    std::unique_ptr<cmcFCacheEntry> entries_; // most recently built first
};
