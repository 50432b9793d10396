#pragma once

#include "cells/CellCodec.h"

#include <cstdint>
#include <optional>
#include <string>

class cmcCellObj;
class cmcCellCapsule;
class cuiGrid;
class cuiSheet;
class QObject;
class QPainter;
class QRect;

// Redraws the visible cells of a sheet that a redraw mask selects.
struct CapsuleRedrawCallback {
    void (*function)(void *context, const cmcCellCapsule &capsule, std::uint32_t mask) = nullptr;
    void *context = nullptr;
    bool bound() const { return function != nullptr; }
    void operator()(const cmcCellCapsule &capsule, std::uint32_t mask) const
    {
        if (function != nullptr)
            function(context, capsule, mask);
    }
};

// Reopens the sheet's in-place editor with the capsule's output text when the
// capsule's cell is still the current cell, unless `keepClosed`.
struct CapsuleEditorCallback {
    void (*function)(void *context, const cmcCellCapsule &capsule, bool keepClosed) = nullptr;
    void *context = nullptr;
    bool bound() const { return function != nullptr; }
    void operator()(const cmcCellCapsule &capsule, bool keepClosed) const
    {
        if (function != nullptr)
            function(context, capsule, keepClosed);
    }
};

// The request with which a sheet, menu or tool bar asks the cell handler to
// draw a cell, act on a key, command or typed text, or report an item's
// state, and in which the handler answers. Callers reuse one capsule and
// reset it before each request. The pointers are not owned.
class cmcCellCapsule
{
public:
    // stateBits
    static constexpr std::uint8_t kStateCurrent = 0x01;  // the cell is the current cell
    static constexpr std::uint8_t kStatePrinting = 0x02; // the request is for printing
    static constexpr std::uint8_t kStateWarning = 0x04;  // set by the handler
    static constexpr std::uint8_t kStateError = 0x08;    // set by the handler
    // rangeBits
    static constexpr std::uint8_t kRangeActive = 0x01; // a multi-row selection is active
    static constexpr std::uint8_t kRangeSelect = 0x02; // set by the handler: select rangeLow..High
    // inputMode
    static constexpr std::uint32_t kInputKey = 0;
    static constexpr std::uint32_t kInputText = 1;
    static constexpr std::uint32_t kInputChosen = 2;
    // code
    static constexpr std::int32_t kCodeEnter = 13;
    static constexpr std::int32_t kCodeEnterAlias = 256;

    // Bits of a redraw mask: which visible cells to redraw, compared with the
    // capsule's cell.
    enum RedrawBit : std::uint32_t {
        kRedrawSameCell = 0x01,     // same label and index
        kRedrawSameCategory = 0x02, // same category
        kRedrawSameLabel = 0x04,    // same label
        kRedrawSameIndex = 0x08,    // same index (the whole row)
        kRedrawNeighbours = 0x10,   // same category, index within one
        kRedrawLabelled = 0x20,     // every cell with a label
        kRedrawFromIndex = 0x40,    // index at or above
        kRedrawUpToIndex = 0x80,    // index at or below
    };

    // Whether a redraw with `mask` for a capsule addressing `addressed`
    // redraws `cell`. The index comparisons skip cells without a label, and
    // all of them when the addressed cell has no category.
    static bool RedrawMatches(std::uint32_t mask, const cmcCellObj &addressed,
                              const cmcCellObj &cell);

    // Every pointer none, every number 0, both texts empty, no callbacks.
    void Reset() { *this = cmcCellCapsule(); }

    // The cell this list or sheet was opened for; for a menu, a capsule
    // holding the current cell of the sheet that owns the menu.
    cmcCellCapsule *origin = nullptr;
    std::int32_t bank = 0;
    QObject *ownerControl = nullptr;
    cuiGrid *grid = nullptr;
    cmcCellObj *cell = nullptr;
    QPainter *canvas = nullptr;      // draw requests only
    const void *imageList = nullptr; // the sheet's images, opaque to the core
    const QRect *cellRect = nullptr;
    std::int32_t editSelStart = 0;
    std::int32_t editSelLength = 0;
    std::int32_t code = 0;    // key code, 13 for Enter/activate, 0 for draw, text or state
    std::int32_t command = 0; // label identifier of a chosen context-menu item
    // Shift was held with the key (the sheet sets it from the key's event).
    bool shiftHeld = false;
    std::string inputText;
    std::string outputText;
    std::uint8_t stateBits = 0;
    std::int32_t markPosition = 0; // 0 default, 1 left, 3 after the text, other right
    std::uint32_t inputMode = kInputKey;
    std::uint32_t jumpRequest = 0;
    std::int32_t jumpCategory = 0;
    std::int32_t jumpLabel = 0;
    std::int32_t jumpIndex = 0;
    std::int32_t repeatCode = 0;
    std::uint32_t spare1 = 0;
    cuiSheet *sheet = nullptr;
    std::uint8_t rangeBits = 0;
    std::int32_t rangeLow = 0;
    std::int32_t rangeHigh = 0;
    std::uint32_t spare2 = 0;
    CapsuleRedrawCallback redraw;
    CapsuleEditorCallback editor;
    // Set by the handler on a draw request: paint this in the radio's
    // display font instead of the output text.
    std::optional<DotMatrixText> dotMatrix;
    // Set by the handler on a draw request: a dark grey bar over the lower
    // 30 % of the cell, under the text.
    bool lowerBar = false;
};
