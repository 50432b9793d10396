#pragma once

#include "cells/cmcHash.h"

#include <cstdint>
#include <span>
#include <string_view>

// Name to identifier for the two vocabularies of cell identities, categories
// and labels. Both share one hash table of the default size; each vocabulary
// is entered the first time one of its names is looked up, so a program that
// never parses a description never pays for the labels.
//
// An identifier is a name's position in its list; the list's length stands
// for "none" and is what the empty name gives. A name found in the other
// vocabulary is not a hit: a category name is no label, and the reverse.
class CellNameIndex
{
public:
    // The lists are not copied and must outlive the index.
    CellNameIndex(std::span<const char *const> categories, std::span<const char *const> labels);
    CellNameIndex(const CellNameIndex &) = delete;
    CellNameIndex &operator=(const CellNameIndex &) = delete;

    // An unknown name is a fault of the text database and ends the program.
    std::int32_t CategoryId(std::string_view name);
    std::int32_t LabelId(std::string_view name);

    // The same without the fatal end: false for an unknown name.
    bool FindCategory(std::string_view name, std::int32_t &id);
    bool FindLabel(std::string_view name, std::int32_t &id);

    std::int32_t noCategory() const { return static_cast<std::int32_t>(categories_.size()); }
    std::int32_t noLabel() const { return static_cast<std::int32_t>(labels_.size()); }

private:
    static void enter(cmcHash &index, std::span<const char *const> names);
    bool find(std::span<const char *const> names, std::string_view name, std::int32_t &id) const;
    bool lookup(std::span<const char *const> names, bool &entered, std::string_view name,
                std::int32_t &id);

    cmcHash index_;
    std::span<const char *const> categories_;
    std::span<const char *const> labels_;
    bool categoriesEntered_ = false;
    bool labelsEntered_ = false;
};

// The program's index over the compiled category and label tables.
CellNameIndex &cellNameIndex();
