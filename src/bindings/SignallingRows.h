#pragma once

#include "cells/CellBinding.h"

#include <cstdint>

class datCh;

// Rows shared by the selective-call families (DTMF, 2-tone, 5-tone): the
// options of a code's record, its name, the timers of the common sheets and
// the two looks that the template of a new radio forces on some bits.
namespace signalling_rows {

inline constexpr const char *kOnOff = "GI_Sheet_Sel_Misc_OnOff";
inline constexpr const char *kTimerOff = "GI_AppInd_TimerOff";

// An option of the row's record, chosen from `list` (entries labelled Flex0).
CellBinding recordOption(std::int32_t label, std::int32_t datCh::*member, const char *list);
CellBinding recordOnOff(std::int32_t label, std::int32_t datCh::*member);

// The record's name, `width` characters, as the display shows it: 24
// characters fit only in the small display font.
CellBinding recordName(std::int32_t label, int width);

// A timer of a common sheet in one byte of the working image, in units of
// 1/`unitsPerSecond` second; with `offAllowed` 0 shows and is typed as OFF.
CellBinding imageTimer(std::int32_t label, std::int32_t at, int unitsPerSecond,
                       std::int32_t minimum, bool offAllowed = false);

// What a code does when it is received, the same bits in every kind that
// has them (5-tone receive codes, DTMF decode entries, 2-tone codes).
enum class Alert : std::uint8_t { Bell, Beep, Audio, Scan, Stun, Exo, AutoTx, IdDecode, Emergency };
CellBinding alertOption(std::int32_t label, Alert alert);

// Bits that saving a file or writing the radio takes from the template of a
// new radio whatever the user chose: "----" in silver, keys change nothing.
CellBinding keptByTemplate(CellBinding row);
// The same for the LMR model only; the PMR model keeps what the user chose.
CellBinding keptByTemplateOnLmr(CellBinding row);

} // namespace signalling_rows
