#include "codecs/PickerCodecs.h"

#include "cells/CellLabels.h"
#include "cells/cmcFCache.h"
#include "channels/datCh.h"
#include "codecs/CodecBasics.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

using Record = cmcFCacheEntry::Record;

std::string itemText(const CodecRequest &request, std::string_view list, std::int32_t label,
                     std::int32_t value)
{
    return request.formats != nullptr ? request.formats->Text(list, label, value)
                                      : std::string(cmcFCache::kErrorText);
}

// The item after or before `value` in the list's order; none without a
// format cache or items.
std::optional<std::int32_t> steppedItem(const CodecRequest &request, std::string_view list,
                                        std::int32_t label, std::int32_t value, std::int32_t key)
{
    if (request.formats == nullptr)
        return std::nullopt;
    request.formats->Entry(list, label);
    return request.formats->Step(list, label, value, key == CodecRequest::kSpace ? 1 : -1);
}

bool isStepKey(std::int32_t key)
{
    return key == CodecRequest::kSpace || key == CodecRequest::kBackspace;
}

// The items of a cell list in the order its key lists them.
std::vector<Record> itemsInSheetOrder(const cmcFCacheEntry &entry)
{
    std::vector<Record> items = entry.byValue;
    std::ranges::stable_sort(items, [](const Record &a, const Record &b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return items;
}

// The number a text begins with (0 when it begins with none), as the
// items' texts are read.
double leadingNumber(std::string_view text) { return std::atof(std::string(text).c_str()); }

// The number a typed text stands for; none when it holds no number.
std::optional<double> typedNumber(std::string_view typed)
{
    const std::string text(trimmed(typed));
    char *end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(number))
        return std::nullopt;
    return number;
}

// --- Cell lists ---

struct CellsParams {
    std::string listName;
    std::int32_t label = 0;
    CellMatch match = CellMatch::Number;
    bool stepping = true;
    // The record kind of a list whose rows the popup draws from the image
    // (a loop over the list's entries): typed numbers count its entries.
    int entryKind = -1;
};

std::optional<std::int32_t> prefixItem(const cmcFCacheEntry &entry, const std::string &typed)
{
    for (const Record &item : itemsInSheetOrder(entry)) {
        const std::string text = upperCased(entry.textOf(item));
        if (text.compare(0, typed.size(), typed) == 0)
            return item.value;
    }
    return std::nullopt;
}

std::optional<std::int32_t> nearestItem(const cmcFCacheEntry &entry, const std::string &typed)
{
    const std::optional<double> number = startsWithOff(typed) ? 0.0 : typedNumber(typed);
    if (!number)
        return std::nullopt;
    std::optional<std::int32_t> nearest;
    double distance = std::numeric_limits<double>::infinity();
    for (const Record &item : itemsInSheetOrder(entry)) {
        const double itemDistance = std::fabs(leadingNumber(entry.textOf(item)) - *number);
        if (itemDistance < distance) {
            distance = itemDistance;
            nearest = item.value;
        }
    }
    return nearest;
}

std::optional<std::int32_t> matchedItem(const cmcFCacheEntry &entry, CellMatch match,
                                        std::string_view typedText)
{
    const std::string typed = upperCased(trimmed(typedText));
    if (typed.empty())
        return std::nullopt;
    if (match == CellMatch::Number)
        return nearestItem(entry, typed);
    std::optional<std::int32_t> found = prefixItem(entry, typed);
    if (!found && match == CellMatch::PrefixThenNumber)
        found = nearestItem(entry, typed);
    return found;
}

// Entry n of a list (counted from 1) for a typed n, none for anything that
// names no entry the list holds: the cell then keeps its value.
std::optional<std::int32_t> typedEntry(int kind, const CodecRequest &request)
{
    const std::optional<double> number = typedNumber(request.typed);
    if (!number || request.record == nullptr || *number != std::floor(*number) || *number < 1 ||
        *number > request.record->listCount(kind))
        return std::nullopt;
    return static_cast<std::int32_t>(*number) - 1;
}

CodecAnswer cells(const CellsParams &params, std::int32_t value, const CodecRequest &request)
{
    const auto answerItem = [&](std::int32_t item) {
        CodecAnswer answer{.text = itemText(request, params.listName, params.label, item)};
        if (item != value)
            answer.value = item;
        return answer;
    };
    if (request.kind == CodecRequest::Kind::Chosen && request.chosenStyle == params.label)
        return answerItem(request.chosenEntry);
    if (request.kind == CodecRequest::Kind::Typed && params.entryKind >= 0)
        return answerItem(typedEntry(params.entryKind, request).value_or(value));
    if (request.kind == CodecRequest::Kind::Typed && request.formats != nullptr) {
        const cmcFCacheEntry &entry = request.formats->Entry(params.listName, params.label);
        if (const auto item = matchedItem(entry, params.match, request.typed))
            return answerItem(*item);
    }
    const std::int32_t key = keyOf(request);
    if (params.stepping && isStepKey(key)) {
        if (const auto item = steppedItem(request, params.listName, params.label, value, key))
            return answerItem(*item);
    }
    CodecAnswer answer = answerItem(value);
    if (key == CodecRequest::kEnter)
        answer.open = CodecOpen::List(params.listName, params.label, value);
    else if (isPrintableAscii(key) && key != CodecRequest::kSpace)
        return editStartingWith(key);
    return answer;
}

// --- Option or number ---

struct OptionOrNumberParams {
    std::string optionList;
    std::int32_t optionLabel = 0;
    std::string numberList;
    std::int32_t numberLabel = 0;
    bool zeroAllowed = false;
};

// g and d: the option that stands for a number, and the largest number.
struct NumberRange {
    std::int32_t first = 0;
    std::int32_t last = 0;
};

NumberRange numberRange(const OptionOrNumberParams &params, cmcFCache &formats)
{
    NumberRange range;
    const std::vector<Record> options =
        itemsInSheetOrder(formats.Entry(params.optionList, params.optionLabel));
    if (!options.empty())
        range.first = options.back().value;
    const cmcFCacheEntry &numbers = formats.Entry(params.numberList, params.numberLabel);
    range.last =
        numbers.byValue.empty() ? range.first : std::max(range.first, numbers.byValue.back().value);
    return range;
}

std::optional<std::int32_t> typedOptionNumber(std::string_view typed, bool zeroAllowed,
                                              NumberRange range)
{
    std::string digits;
    for (char c : zeroAllowed &&startsWithOff(typed) ? std::string_view("0") : typed) {
        if (c >= '0' && c <= '9')
            digits += c;
    }
    if (digits.empty())
        return std::nullopt;
    // More digits than any number of the list can have lie beyond its end.
    const long long number =
        digits.size() > 9 ? std::numeric_limits<std::int32_t>::max() : std::stoll(digits);
    if (zeroAllowed && number == 0)
        return 0;
    return static_cast<std::int32_t>(std::clamp<long long>(number, range.first, range.last));
}

CodecAnswer optionOrNumber(const OptionOrNumberParams &params, std::int32_t value,
                           const CodecRequest &request)
{
    if (request.formats == nullptr)
        return {.text = cmcFCache::kErrorText};
    const NumberRange range = numberRange(params, *request.formats);
    const auto isNumber = [range](std::int32_t v) { return v >= range.first && v <= range.last; };
    const auto answerValue = [&](std::int32_t next) {
        CodecAnswer answer{.text = isNumber(next) ? std::to_string(next)
                                                  : itemText(request, params.optionList,
                                                             params.optionLabel, next)};
        if (next != value)
            answer.value = next;
        return answer;
    };

    if (request.kind == CodecRequest::Kind::Typed) {
        if (const auto number = typedOptionNumber(request.typed, params.zeroAllowed, range))
            return answerValue(*number);
        return answerValue(value);
    }
    if (request.kind == CodecRequest::Kind::Chosen) {
        if (request.chosenStyle == params.optionLabel && request.chosenEntry == range.first) {
            CodecAnswer answer = answerValue(value);
            answer.open = CodecOpen::List(params.numberList, params.numberLabel, value);
            return answer;
        }
        if (request.chosenStyle == params.optionLabel || request.chosenStyle == params.numberLabel)
            return answerValue(request.chosenEntry);
        return answerValue(value);
    }
    const std::int32_t key = keyOf(request);
    const std::int32_t item = isNumber(value) ? range.first : value;
    if (isStepKey(key)) {
        std::optional<std::int32_t> next =
            steppedItem(request, params.optionList, params.optionLabel, item, key);
        if (next && *next == range.first)
            next = steppedItem(request, params.optionList, params.optionLabel, *next, key);
        return answerValue(next && *next != range.first ? *next : value);
    }
    if (key == CodecRequest::kEnter) {
        CodecAnswer answer = answerValue(value);
        answer.open = CodecOpen::List(params.optionList, params.optionLabel, item);
        return answer;
    }
    if ((key >= '0' && key <= '9') || key == '.' || key == 'o' || key == 'O')
        return editStartingWith(key);
    return answerValue(value);
}

// --- dPMR call list ---

// The style and list tag of the entries each filter offers, in the order
// of DpmrIdFilter.
struct CallListForm {
    std::int32_t style;
    const char *tag;
};
constexpr std::array<CallListForm, 3> kCallListForms = {{
    {Flex_Dpmr_CallList_ChNo, "Z"},
    {Flex_Dpmr_CallList_ChNo_Grp, "W"},
    {Flex_Dpmr_CallList_ChNo_Inv, "V"},
}};

struct CallListParams {
    std::string listKey;
    DpmrIdFilter filter = DpmrIdFilter::All;
};

std::string callListText(const CodecRequest &request, std::int32_t value)
{
    std::string text = std::to_string(static_cast<std::int64_t>(value) + 1) + ": ";
    if (request.record == nullptr || request.record->image == nullptr || value < 0 ||
        value > datCh::lastIndex(datCh::kKindDpmrId))
        return text;
    datCh row = *request.record;
    row.decode(datCh::kKindDpmrId, value);
    return text + identityText(static_cast<std::uint32_t>(row.Id));
}

// The entries that pass, read only for a request that acts: a draw shows
// one row and must not read the whole list.
std::vector<std::int32_t> passingEntries(const CallListParams &params, const CodecRequest &request)
{
    return request.record != nullptr ? DpmrIdList::Read(*request.record).Passing(params.filter)
                                     : std::vector<std::int32_t>{};
}

CodecAnswer callList(const CallListParams &params, std::int32_t value, const CodecRequest &request)
{
    const auto answerEntry = [&](std::int32_t entry) {
        CodecAnswer answer{.text = callListText(request, entry)};
        if (entry != value)
            answer.value = entry;
        return answer;
    };
    const std::int32_t style = callListStyle(params.filter);
    if (request.kind == CodecRequest::Kind::Chosen && request.chosenStyle == style) {
        const std::vector<std::int32_t> passing = passingEntries(params, request);
        const std::int32_t n = request.chosenEntry;
        if (n >= 0 && static_cast<std::size_t>(n) < passing.size())
            return answerEntry(passing[static_cast<std::size_t>(n)]);
        return answerEntry(value);
    }
    const std::int32_t key = keyOf(request);
    if (key != CodecRequest::kEnter && !isStepKey(key))
        return answerEntry(value);
    const std::vector<std::int32_t> passing = passingEntries(params, request);
    if (isStepKey(key) && !passing.empty()) {
        if (key == CodecRequest::kSpace) {
            const auto next = std::ranges::upper_bound(passing, value);
            return answerEntry(next != passing.end() ? *next : passing.front());
        }
        const auto previous = std::ranges::lower_bound(passing, value);
        return answerEntry(previous != passing.begin() ? *(previous - 1) : passing.back());
    }
    CodecAnswer answer = answerEntry(value);
    if (key == CodecRequest::kEnter) {
        const auto at = std::ranges::find(passing, value);
        const auto row = at != passing.end() ? static_cast<std::int32_t>(at - passing.begin()) : 0;
        answer.open = CodecOpen::List(params.listKey, style, row, callListTag(params.filter));
    }
    return answer;
}

// --- Scan list channels ---

constexpr const char *kBankTag = "B";
constexpr const char *kChannelTag = "C";
constexpr std::size_t kOptionAt = 0;
constexpr std::size_t kChannelAt = 4;
// Bank 0 and the bank of channels beyond its count.
constexpr int kBanks = 2;

struct ScanChannelParams {
    ScanChannelLists lists;
    ScanBankChoice *remembered = nullptr;
};

std::vector<std::int32_t> banksHoldingChannels(const datCh *record)
{
    std::vector<std::int32_t> banks;
    for (int bank = 0; record != nullptr && bank < kBanks; ++bank) {
        if (record->bankChannelCount(bank) > 0)
            banks.push_back(bank);
    }
    return banks;
}

std::string scanChannelText(const CodecRequest &request, const ScanChannelLists &lists,
                            std::int32_t option, std::int32_t channel)
{
    if (option != kScanChannelOption)
        return itemText(request, lists.options, Flex0, option);
    const datCh *record = request.record;
    const std::int32_t place =
        record != nullptr && record->image != nullptr
            ? channel - record->bankFirstChannel(record->bankOfChannel(channel))
            : channel;
    std::string added;
    if (request.texts != nullptr)
        request.texts->TryGetLine(lists.afterChannel, 0, added);
    return std::to_string(static_cast<std::int64_t>(place) + 1) + added;
}

CodecAnswer scanChannel(const ScanChannelParams &params, CellCodec::Bytes bytes,
                        const CodecRequest &request)
{
    if (bytes.size() < kChannelAt + 4)
        return {};
    ScanBankChoice fallback;
    ScanBankChoice &remembered = params.remembered != nullptr ? *params.remembered : fallback;
    const ScanChannelLists &lists = params.lists;
    const std::int32_t option = numberAt(bytes, kOptionAt);
    const std::int32_t channel = numberAt(bytes, kChannelAt);
    const auto answerSetting = [&](std::int32_t nextOption, std::int32_t nextChannel) {
        CellBytes next(bytes.begin(), bytes.end());
        setNumberAt(next, kOptionAt, nextOption);
        setNumberAt(next, kChannelAt, nextChannel);
        CodecAnswer answer{.text = scanChannelText(request, lists, nextOption, nextChannel)};
        answerBytes(answer, bytes, std::move(next));
        return answer;
    };
    const datCh *record = request.record;
    const auto bankHolds = [record](std::int32_t bank) {
        return record != nullptr && record->image != nullptr && record->bankChannelCount(bank) > 0;
    };

    if (request.kind == CodecRequest::Kind::Chosen) {
        const std::int32_t item = request.chosenEntry;
        if (request.chosenStyle == Flex0) {
            CodecAnswer answer = answerSetting(item, channel);
            if (item == kScanChannelOption)
                answer.open = CodecOpen::List(lists.channels, FlexCHSel, 0, kChannelTag);
            return answer;
        }
        if (request.chosenStyle == FlexZoneSel) {
            const std::vector<std::int32_t> banks = banksHoldingChannels(record);
            remembered.bank = item >= 0 && static_cast<std::size_t>(item) < banks.size()
                                  ? banks[static_cast<std::size_t>(item)]
                                  : item;
            CodecAnswer answer = answerSetting(option, channel);
            answer.open = bankHolds(remembered.bank)
                              ? CodecOpen::List(lists.channels, FlexCHSel, 0, kChannelTag)
                              : CodecOpen::List(lists.banks, FlexZoneSel, item, kBankTag);
            return answer;
        }
        if (request.chosenStyle == FlexCHSel && bankHolds(remembered.bank))
            return answerSetting(option, record->bankFirstChannel(remembered.bank) + item);
        return answerSetting(option, channel);
    }
    const std::int32_t key = keyOf(request);
    if (isStepKey(key)) {
        if (const auto next = steppedItem(request, lists.options, Flex0, option, key))
            return answerSetting(*next, channel);
    }
    CodecAnswer answer = answerSetting(option, channel);
    if (key == CodecRequest::kEnter)
        answer.open = CodecOpen::List(lists.options, Flex0, option);
    return answer;
}

} // namespace

CellCodec pickFromCells(const char *listName, std::int32_t label, CellMatch match, bool stepping)
{
    return CellCodec(cells, CellsParams{listName, label, match, stepping});
}

CellCodec pickListEntry(const char *listName, std::int32_t label, int recordKind)
{
    return CellCodec(cells, CellsParams{listName, label, CellMatch::Number, false, recordKind});
}

std::optional<std::pair<std::int32_t, std::int32_t>>
cellItemRange(cmcFCache &formats, std::string_view listName, std::int32_t label)
{
    const cmcFCacheEntry &entry = formats.Entry(listName, label);
    if (entry.byValue.empty())
        return std::nullopt;
    return std::pair{entry.byValue.front().value, entry.byValue.back().value};
}

CellCodec pickOptionOrNumber(const char *optionList, std::int32_t optionLabel,
                             const char *numberList, std::int32_t numberLabel, bool zeroAllowed)
{
    return CellCodec(optionOrNumber, OptionOrNumberParams{optionList, optionLabel, numberList,
                                                          numberLabel, zeroAllowed});
}

std::int32_t callListStyle(DpmrIdFilter filter)
{
    return kCallListForms[static_cast<std::size_t>(filter)].style;
}

const char *callListTag(DpmrIdFilter filter)
{
    return kCallListForms[static_cast<std::size_t>(filter)].tag;
}

CellCodec pickCallList(const char *listKey, DpmrIdFilter filter)
{
    return CellCodec(callList, CallListParams{listKey, filter});
}

CellCodec pickScanChannel(const ScanChannelLists &lists, ScanBankChoice *remembered)
{
    return CellCodec(scanChannel, ScanChannelParams{lists, remembered});
}
