#pragma once

#include <cstdint>
#include <string_view>

class cmcCellObj;
class CellFaultReport;

// Applies one cell's description to a cell: splits it into the attribute
// part (everything inside braces) and the text part, applies the attribute
// elements left to right, then resolves the text. Faults end the program
// unless a report takes them.
class CellDescriptionParser
{
public:
    // Cell models may use models; this deep a chain can only be a cycle.
    static constexpr int kMaxModelDepth = 32;

    CellDescriptionParser(cmcCellObj &cell, CellFaultReport *faults);

    void Apply(std::string_view description);

    // Where the first cell of a line ends: the first '|' that no backslash
    // escapes, or the line's size.
    static std::size_t CellEnd(std::string_view line);

private:
    void applyAttributes(std::string_view attributes, int depth);
    void applyProperty(std::string_view property, int depth);
    void applyModel(std::string_view property, int depth);
    void applyColour(std::string_view property);
    void applyFont(std::string_view property);
    void applyIdentity(std::string_view property);
    void applyCounter(std::string_view property);
    void applyImageIndex(std::string_view property);
    void applyPopupMenu(std::string_view property);
    void applyUserFlag(std::string_view property);
    void applyFlagLetter(char letter, bool negated);
    std::int32_t indexValue(std::string_view text);
    void applyText(std::string_view textPart);
    std::size_t appendCounterText(std::string_view escape, std::string &out);
    std::int32_t *counter(std::string_view reference);
    void fault(const std::string &text);

    cmcCellObj &cell_;
    CellFaultReport *faults_;
};
