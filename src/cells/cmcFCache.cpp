#include "cells/cmcFCache.h"

#include "cells/cmcCellObj.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>

namespace {

// Both passes run over the same lines with the same counters, so indexes
// taken from @ch counters come out as the second pass sees them.
class SheetReader
{
public:
    SheetReader(cmcGTex &texts, std::string_view prefix)
        : texts_(texts), key_(std::string(prefix) + "_Cells")
    {}

    // Calls visit(line, column, cell) for every cell; returns the line count.
    template <typename Visit>
    std::int32_t forEachCell(Visit visit)
    {
        std::int32_t line = 0;
        for (;; ++line) {
            const std::string text = texts_.GetLine(key_, line);
            if (text.starts_with('#'))
                return line;
            std::string_view rest = text;
            for (std::int32_t column = 0; !rest.empty(); ++column) {
                cmcCellObj cell;
                rest = cell.Parse(rest, counters_, nullptr, false);
                visit(line, column, cell);
            }
        }
    }

private:
    cmcGTex &texts_;
    std::string key_;
    std::int32_t counters_[cmcCellObj::kChannelCounterCount] = {};
};

} // namespace

cmcFCache::cmcFCache(cmcGTex &texts) : texts_(texts) {}

cmcFCache::cmcFCache() : cmcFCache(mainTextDatabase()) {}

cmcFCache::~cmcFCache()
{
    // Unlinked one by one: a long chain must not recurse in the destructors.
    while (entries_)
        entries_ = std::move(entries_->next);
}

std::string cmcFCache::keyOf(std::string_view prefix, std::int32_t label)
{
    return std::string(prefix) + "#" + std::to_string(label);
}

cmcFCacheEntry *cmcFCache::find(std::string_view prefix, std::int32_t label) const
{
    const auto *node = index_.Find(keyOf(prefix, label));
    return node != nullptr ? node->value : nullptr;
}

cmcFCacheEntry &cmcFCache::build(std::string_view prefix, std::int32_t label)
{
    auto created = std::make_unique<cmcFCacheEntry>();
    cmcFCacheEntry &entry = *created;
    created->next = std::move(entries_);
    entries_ = std::move(created);
    index_.Insert(keyOf(prefix, label), &entry);

    SheetReader reader(texts_, prefix);
    entry.lines = reader.forEachCell([&](std::int32_t, std::int32_t, const cmcCellObj &cell) {
        entry.count += cell.label == label ? 1 : 0;
    });
    reader.forEachCell([&](std::int32_t line, std::int32_t column, const cmcCellObj &cell) {
        entry.columns = std::max(entry.columns, column + 1);
        if (cell.label != label)
            return;
        entry.texts.push_back(cell.suffix ? *cell.suffix : cell.GetText());
        entry.byValue.push_back({line, column, cell.index, entry.texts.size() - 1});
    });

    entry.byPosition = entry.byValue;
    std::stable_sort(entry.byValue.begin(), entry.byValue.end(),
                     [](const auto &a, const auto &b) { return a.value < b.value; });
    const std::int64_t lines = entry.lines;
    std::stable_sort(entry.byPosition.begin(), entry.byPosition.end(),
                     [lines](const auto &a, const auto &b) {
                         return a.line + lines * a.column < b.line + lines * b.column;
                     });
    return entry;
}

const cmcFCacheEntry &cmcFCache::Entry(std::string_view prefix, std::int32_t label)
{
    cmcFCacheEntry *entry = find(prefix, label);
    return entry != nullptr ? *entry : build(prefix, label);
}

const std::string &cmcFCache::Text(std::string_view prefix, std::int32_t label, std::int32_t value)
{
    static const std::string error = kErrorText;
    const cmcFCacheEntry &entry = Entry(prefix, label);
    const auto &records = entry.byValue;
    const auto found = std::lower_bound(
        records.begin(), records.end(), value,
        [](const cmcFCacheEntry::Record &r, std::int32_t v) { return r.value < v; });
    if (found == records.end() || found->value != value)
        return error;
    return entry.textOf(*found);
}

std::optional<std::int32_t> cmcFCache::Step(std::string_view prefix, std::int32_t label,
                                            std::int32_t value, std::int32_t delta)
{
    const cmcFCacheEntry *entry = find(prefix, label);
    if (entry == nullptr || entry->byPosition.empty())
        return std::nullopt;
    const auto &records = entry->byPosition;
    const auto found = std::find_if(records.begin(), records.end(),
                                    [value](const auto &r) { return r.value == value; });
    if (found == records.end())
        return records.front().value;
    const std::int64_t size = static_cast<std::int64_t>(records.size());
    std::int64_t position = (found - records.begin()) + std::int64_t{delta};
    if (position >= size)
        position = 0;
    else if (position < 0)
        position = size - 1;
    return records[static_cast<std::size_t>(position)].value;
}
