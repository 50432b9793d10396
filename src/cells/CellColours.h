#pragma once

#include <cstdint>
#include <string_view>

// Colours of the core are 32-bit values: 0x00BBGGRR for a plain colour, or
// kSystemColour plus the index of a system colour that the window code
// resolves from the current palette.
inline constexpr std::uint32_t kSystemColour = 0x80000000;
inline constexpr std::uint32_t kColourWindow = 0x80000005;
inline constexpr std::uint32_t kColourWindowText = 0x80000008;
inline constexpr std::uint32_t kColourHighlight = 0x8000000D;
inline constexpr std::uint32_t kColourHighlightText = 0x8000000E;
inline constexpr std::uint32_t kColourBtnFace = 0x8000000F;
inline constexpr std::uint32_t kColourGrayText = 0x80000011;
// Cells whose value does not apply are drawn in this.
inline constexpr std::uint32_t kColourSilver = 0xC0C0C0;
inline constexpr std::uint32_t kColourOlive = 0x008080;
inline constexpr std::uint32_t kColourWhite = 0xFFFFFF;

// The colour of one of the 38 colour names of cell descriptions (exact,
// case-sensitive); false for any other name.
bool findCellColour(std::string_view name, std::uint32_t &colour);
