#pragma once

#include "cells/CellCodec.h"

#include <cstdint>
#include <string>

// Whole and decimal numbers, and the level bar.

struct IntegerFormat {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    // The cell shows the stored value plus the offset; typed numbers are
    // shown values.
    std::int32_t offset = 0;
    // Typed values go to the nearest multiple of the step; Space and
    // Backspace step by it.
    std::int32_t step = 1;
    // Shown instead of the number when not empty.
    std::string fixedText{};
    // At either end Space and Backspace stop instead of going round.
    bool saturate = false;
    // A value outside the range, also one found in the image, is pulled into
    // it and stored.
    bool clampCheck = false;
};

CellCodec editInteger(const IntegerFormat &format);
// Step 1, no offset: going round at either end, or stopping there.
CellCodec editIntegerWrap(std::int32_t minimum, std::int32_t maximum);
CellCodec editIntegerSaturate(std::int32_t minimum, std::int32_t maximum);
// Going round in steps of 1, or of 5 while Shift is held.
CellCodec editIntegerShiftStep(std::int32_t minimum, std::int32_t maximum);

// A plain count: a typed number outside the range is ignored rather than
// pulled into it, and the number is shown with leading zeros to `digits`
// digits unless `zeroPad` is off. Steps go round.
CellCodec editCount(std::int32_t minimum, std::int32_t maximum, int digits, bool zeroPad = true);

struct DecimalFormat {
    // The stored integer is the real value times 10^storedDecimals.
    int storedDecimals = 0;
    int shownDecimals = 0;
    double minimum = 0;
    double maximum = 0;
    // In stored units: typed values go toward zero to a multiple of it and
    // Space and Backspace step by it.
    std::int32_t step = 1;
    // Trailing zeros of the fraction left out of the cell text, at most.
    int trimZeros = 0;
    // Space and Backspace step (going round); otherwise they act as Enter.
    bool stepping = true;
    // Enter starts the editor empty instead of with the value.
    bool clearOnEnter = false;
};

CellCodec editDecimal(const DecimalFormat &format);

// Shows the value as a bar of 20 characters, "[###-----...]", filled in
// proportion to where it lies in minimum..maximum. Changes nothing.
CellCodec levelBar(std::int32_t minimum, std::int32_t maximum);
