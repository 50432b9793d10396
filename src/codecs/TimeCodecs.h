#pragma once

#include "cells/CellCodec.h"

#include <cstdint>

// Times: seconds with up to three decimals, and minutes with seconds.

// A time stored in units of 1/`unitsPerSecond` second, shown as seconds with
// three decimals of which up to `trimZeros` trailing zeros are left out.
// With an `offTextKey` (the bindings name "GI_AppInd_TimerOff"), 0 is OFF:
// it shows that text, and typing "off" stores it; without one 0 is a time
// like any other.
CellCodec editTimer(int unitsPerSecond, std::int32_t minimum, std::int32_t maximum,
                    const char *offTextKey, int trimZeros);
// The same with a real factor between units and seconds.
CellCodec editTimerReal(double unitsPerSecond, std::int32_t minimum, std::int32_t maximum,
                        const char *offTextKey, int trimZeros);
// A timer kept in a byte: the range is held within 0..255.
CellCodec editTimerByte(double unitsPerSecond, std::int32_t minimum, std::int32_t maximum,
                        const char *offTextKey, int trimZeros);

// A time stored in units of `resolution` seconds (a divisor of 60), shown
// and typed as "m:ss"; minimum and maximum are in seconds.
CellCodec editMinSec(std::int32_t minimumSeconds, std::int32_t maximumSeconds,
                     std::int32_t resolution);
