#include "cells/CellDescriptionParser.h"

#include "cells/CellColours.h"
#include "cells/CellFaultReport.h"
#include "cells/CellFontFields.h"
#include "cells/CellIdentifiers.h"
#include "cells/DescriptionText.h"
#include "cells/cmcCellObj.h"
#include "platform/FatalError.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <string>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The ')' that closes a property opened just before `start`; one preceded by
// a backslash does not count. The property runs to the end when none does.
std::size_t propertyEnd(std::string_view attributes, std::size_t start)
{
    for (std::size_t i = start; i < attributes.size(); ++i) {
        if (attributes[i] == ')' && (i == start || attributes[i - 1] != '\\'))
            return i;
    }
    return attributes.size();
}

void setBit(std::uint8_t &flags, std::uint8_t bit, bool on)
{
    flags = static_cast<std::uint8_t>(on ? flags | bit : flags & ~bit);
}

void setField(std::uint8_t &flags, std::uint8_t mask, int shift, int value)
{
    flags = static_cast<std::uint8_t>((flags & ~mask) | ((value << shift) & mask));
}

// Every backslash removed, the character after it kept.
std::string withoutEscapes(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        if (i < text.size())
            out += text[i];
    }
    return out;
}

} // namespace

CellDescriptionParser::CellDescriptionParser(cmcCellObj &cell, CellFaultReport *faults)
    : cell_(cell), faults_(faults)
{}

std::size_t CellDescriptionParser::CellEnd(std::string_view line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\')
            ++i;
        else if (line[i] == '|')
            return i;
    }
    return line.size();
}

void CellDescriptionParser::Apply(std::string_view description)
{
    // Braces switch between the parts and do not nest; they cannot be
    // escaped, because the escapes belong to each part's own reading.
    std::string attributes;
    std::string textPart;
    bool inAttributes = false;
    for (char c : description) {
        if (c == '{')
            inAttributes = true;
        else if (c == '}')
            inAttributes = false;
        else
            (inAttributes ? attributes : textPart) += c;
    }
    applyAttributes(attributes, 0);
    applyText(textPart);
}

void CellDescriptionParser::fault(const std::string &text)
{
    if (faults_ == nullptr)
        platform::fatalError(text);
    faults_->Fault(text);
}

void CellDescriptionParser::applyAttributes(std::string_view attributes, int depth)
{
    bool negated = false;
    for (std::size_t i = 0; i < attributes.size(); ++i) {
        const char c = attributes[i];
        if (c == '!') {
            negated = true;
            continue;
        }
        if (c == '\\') {
            ++i;
        } else if (c == '(') {
            const std::size_t end = propertyEnd(attributes, i + 1);
            applyProperty(attributes.substr(i + 1, end - i - 1), depth);
            i = end;
        } else {
            applyFlagLetter(c, negated);
        }
        negated = false;
    }
}

void CellDescriptionParser::applyProperty(std::string_view property, int depth)
{
    using Applier = void (CellDescriptionParser::*)(std::string_view);
    struct Kind {
        std::string_view prefix;
        Applier apply;
    };
    // Matched by prefix in this order, so "ColorX=..." is still a colour.
    static constexpr Kind kKinds[] = {
        {"Color", &CellDescriptionParser::applyColour},
        {"Font", &CellDescriptionParser::applyFont},
        {"%", &CellDescriptionParser::applyIdentity},
        {"@", &CellDescriptionParser::applyCounter},
        {"ImageIndex", &CellDescriptionParser::applyImageIndex},
        {"PopupMenu", &CellDescriptionParser::applyPopupMenu},
        {"Flag", &CellDescriptionParser::applyUserFlag},
    };
    if (property.starts_with('$')) {
        applyModel(property.substr(1), depth);
        return;
    }
    for (const Kind &kind : kKinds) {
        if (property.starts_with(kind.prefix)) {
            (this->*kind.apply)(property);
            return;
        }
    }
}

void CellDescriptionParser::applyModel(std::string_view name, int depth)
{
    if (depth >= kMaxModelDepth) {
        fault(platform::formatText("Cell models nest too deeply.\n'%s'", std::string(name)));
        return;
    }
    const std::string key = "CellModel_" + std::string(name);
    cmcGTex &texts = mainTextDatabase();
    std::string line;
    if (faults_ == nullptr) {
        line = texts.GetLine(key, 0); // a missing model ends the program there
    } else if (!texts.TryGetLine(key, 0, line)) {
        fault(platform::formatText("Cell model not found.\n'%s'", key));
        return;
    }
    applyAttributes(line, depth + 1);
}

void CellDescriptionParser::applyColour(std::string_view property)
{
    std::string_view name;
    std::uint32_t colour = 0;
    if (valueAfterEquals(property, name) && findCellColour(name, colour))
        cell_.background = colour;
}

void CellDescriptionParser::applyFont(std::string_view property)
{
    if (!cell_.font) {
        const CellFont *inherited = cell_.parent != nullptr ? cell_.parent->FontInUse() : nullptr;
        cell_.font = inherited != nullptr ? *inherited : CellFont{};
    }
    std::string_view fields;
    if (valueAfterEquals(property, fields))
        applyFontFields(*cell_.font, fields);
}

void CellDescriptionParser::applyIdentity(std::string_view property)
{
    std::string_view rest = property.substr(1);
    const std::size_t dot = rest.find('.');
    if (dot != std::string_view::npos && (dot == 0 || rest[dot - 1] != '\\')) {
        const std::string_view name = rest.substr(0, dot);
        std::int32_t category = 0;
        if (findCellCategoryId(name, category))
            cell_.category = category;
        else
            fault(unknownCategoryText(name));
        rest.remove_prefix(dot + 1);
    }
    const std::size_t labelEnd = std::min(rest.find_first_of("[:"), rest.size());
    std::int32_t label = 0;
    if (findCellLabelId(rest.substr(0, labelEnd), label))
        cell_.label = label;
    else
        fault(unknownLabelText(rest.substr(0, labelEnd)));
    rest.remove_prefix(labelEnd);
    if (rest.starts_with('[')) {
        const std::size_t close = std::min(rest.find(']'), rest.size());
        cell_.index = indexValue(rest.substr(1, close - 1));
        rest.remove_prefix(std::min(close + 1, rest.size()));
    }
    if (rest.starts_with(':'))
        cell_.suffix = withoutEscapes(rest.substr(1));
}

std::int32_t CellDescriptionParser::indexValue(std::string_view text)
{
    if (!text.starts_with('@'))
        return readDecimal(text);
    const std::int32_t *source = counter(text);
    return source != nullptr ? *source : cell_.index;
}

void CellDescriptionParser::applyCounter(std::string_view property)
{
    std::int32_t *target = counter(property);
    if (target == nullptr)
        return;
    const std::string_view tail = property.substr(4);
    if (tail.starts_with("++"))
        *target = wrappingAdd(*target, 1);
    else if (tail.starts_with('='))
        *target = readDecimal(tail.substr(1));
}

void CellDescriptionParser::applyImageIndex(std::string_view property)
{
    std::string_view value;
    if (valueAfterEquals(property, value))
        cell_.imageIndex = readDecimal(value);
}

void CellDescriptionParser::applyPopupMenu(std::string_view property)
{
    std::string_view value;
    if (valueAfterEquals(property, value))
        cell_.popupMenu = std::string(value);
}

// Only the exact form "FlagD=V" counts.
void CellDescriptionParser::applyUserFlag(std::string_view property)
{
    if (property.size() < 7 || property[4] < '0' || property[4] > '8' || property[5] != '=')
        return;
    if (property[6] == '0' || property[6] == '1')
        cell_.SetUserFlag(property[4] - '0', property[6] == '1');
}

void CellDescriptionParser::applyFlagLetter(char letter, bool negated)
{
    std::uint8_t &flags1 = cell_.flags1;
    std::uint8_t &flags2 = cell_.flags2;
    switch (letter) {
    case '<':
    case '^':
    case '>':
        setField(flags1, cmcCellObj::kAlignHorizontal, 0,
                 letter == '<'   ? 0
                 : letter == '^' ? 1
                                 : 2);
        break;
    case '~':
    case '-':
    case '_':
        setField(flags1, cmcCellObj::kAlignVertical, 2, letter == '~' ? 0 : letter == '-' ? 1 : 2);
        break;
    case 'W':
        setBit(flags1, cmcCellObj::kWiden, !negated);
        break;
    case 'H':
        setBit(flags1, cmcCellObj::kHeighten, !negated);
        break;
    case '+':
        setBit(flags1, cmcCellObj::kJoined, !negated);
        break;
    case 'B':
        setBit(flags1, cmcCellObj::kBottomLine, !negated);
        break;
    case 'X':
    case 'Q':
        setField(flags2, cmcCellObj::kRightLine, 0, negated ? 0 : letter == 'X' ? 1 : 2);
        break;
    case 'S':
        setBit(flags2, cmcCellObj::kSelectable, !negated);
        break;
    case 'T':
        setBit(flags2, cmcCellObj::kTrailer, !negated);
        break;
    default:
        break; // every other character of the attribute part is ignored
    }
}

// "@chN" with exactly one digit, while the caller supplied counters.
std::int32_t *CellDescriptionParser::counter(std::string_view reference)
{
    const bool wellFormed = reference.size() >= 4 && reference.starts_with("@ch") &&
                            isDigit(reference[3]) &&
                            (reference.size() == 4 || !isDigit(reference[4]));
    if (!wellFormed || cell_.channelCounters == nullptr) {
        fault("Ch No. Error");
        return nullptr;
    }
    return &cell_.channelCounters[reference[3] - '0'];
}

// The text part keeps the inherited text when nothing is left of it once
// trimmed; an empty description thus copies its parent whole.
void CellDescriptionParser::applyText(std::string_view textPart)
{
    const std::string_view text = trimBlanksAndControls(textPart);
    if (text.empty())
        return;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            break; // a lone backslash at the end stands for nothing
        const char escaped = text[i];
        if (escaped == 'n' || escaped == 'N')
            out += '\n';
        else if (escaped == '_')
            out += ' ';
        else if (escaped == '(' && i + 1 < text.size() && text[i + 1] == '@')
            i += appendCounterText(text.substr(i + 1), out);
        else
            out += escaped;
    }
    cell_.text = std::move(out);
}

// "@chN)" or "@chN+k)" after the "\(": appends the counter's value plus k,
// at most six characters of it, and returns how far the escape reaches.
std::size_t CellDescriptionParser::appendCounterText(std::string_view escape, std::string &out)
{
    const std::size_t close = std::min(escape.find(')'), escape.size());
    const std::string_view inner = escape.substr(0, close);
    const std::int32_t *source = counter(inner);
    if (source != nullptr) {
        std::int32_t value = *source;
        const std::string_view tail = trimBlanks(inner.substr(4));
        if (tail.starts_with('+'))
            value = wrappingAdd(value, readDecimal(tail.substr(1)));
        out += std::to_string(value).substr(0, 6);
    }
    return std::min(close + 1, escape.size());
}
