#pragma once

#include <cstdint>

class cmcCellCapsule;
class indCellHandler;

// What a binding row tells its codec beyond the value: the selection list,
// the range, the width and the display form. Each codec reads the fields it
// knows and ignores the rest.
struct CellCodecParams {
    // Text-database key: the selection sheet of an option list, or a text
    // the codec shows.
    const char *key = nullptr;
    // List style of an option list (1 or 4).
    std::int32_t style = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::int32_t step = 1;
    // Added to the stored value for display.
    std::int32_t offset = 0;
    // Text width, number of digits or nibbles.
    std::int32_t width = 0;
    // printf-style display form ("%3d").
    const char *format = nullptr;
    // Record table the value belongs to, when the codec needs its list size.
    std::int32_t table = 0;
    // The value a choice row stands for (with kTargetIsIndex: the cell index).
    std::int32_t target = 0;
    // Codec options; each codec defines its own bits above kCommonFlags.
    std::uint32_t flags = 0;
    // Units per second of timers, scale of decimals.
    double scale = 0;

    static constexpr std::uint32_t kTargetIsIndex = 0x01;
    static constexpr std::uint32_t kCommonFlags = 0xFF;
};

// One codec call: the request, the value to show or change, the row's
// parameters and what the codec asks of the sheet.
struct CellCodecCall {
    indCellHandler &frame; // the request and its decoded records
    cmcCellCapsule &capsule;
    std::int32_t &value;
    const CellCodecParams &params;
    // Set by the codec: 1 a popup list was opened, 2 open the in-place
    // editor with the capsule's output text.
    std::int32_t request = 0;
};

// A value codec: writes the cell text for every request and, for action
// requests, interprets the key, the typed text or the chosen list value.
// Returns true when the value changed; the row then stores it.
using CellCodec = bool (*)(CellCodecCall &call);
