#pragma once

#include <cstdint>

class cmcCellCapsule;

// The record every caller of the cell handler creates and passes along; the
// handler only hands it on to nested handler calls.
struct indActiveCell {
    std::intptr_t word0 = 0;
    std::intptr_t word1 = 0;
};

// Modes of a handler call.
enum CellHandlerMode : std::int32_t {
    kHandlerDraw = 0,   // draw, text or state request (and a menu click with code 13)
    kHandlerAction = 1, // key, Enter, typed text, context-menu command, chosen value
};

// Results of a handler call.
enum CellHandlerResult : std::int32_t {
    kHandlerNothing = 0,
    kHandlerRedraw = 1,     // redraw the sheet (or an option popup was opened)
    kHandlerOpenEditor = 2, // open the in-place editor with the output text
};

// Sheets, menus, the tool bar and the check list reach the working image
// only through a function of this shape; tests hand them fakes.
using cmcCellHandler = std::int32_t (*)(indActiveCell *context, cmcCellCapsule &capsule,
                                        std::int32_t mode);
