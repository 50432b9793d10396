#include "channels/DisplayFont.h"

#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "image/cmcEeprom.h"

#include <algorithm>

namespace {

constexpr int kRecordKindUserCharacter = 3;
constexpr int kLargeColumnBytes = 3;
constexpr int kLargeStart = DisplayFont::kColumns;
constexpr int kWideColumns = 7;

constexpr std::array<DisplayFont::Glyph, 256 - DisplayFont::kFirstBuiltInCode> kBuiltIn = {{
#include "channels/DisplayFont.inc"
}};

} // namespace

const DisplayFont::Glyph &DisplayFont::BuiltIn(std::uint8_t code)
{
    return kBuiltIn[code < kFirstBuiltInCode ? 0 : code - kFirstBuiltInCode];
}

DisplayFont::WideGlyph DisplayFont::BuiltInWide(std::uint8_t code)
{
    const Glyph &glyph = BuiltIn(code);
    WideGlyph wide{};
    std::copy_n(glyph.begin(), kColumns, wide.begin());
    std::copy_n(glyph.begin() + kLargeStart, kColumns * kLargeColumnBytes,
                wide.begin() + kWideColumns);
    return wide;
}

bool DisplayFont::Dot(const Glyph &glyph, Size size, int column, int row)
{
    if (column < 0 || column >= kColumns || row < 0 || row >= RowsOf(size))
        return false;
    if (size == Size::Small)
        return ((glyph[column] >> row) & 1) != 0;
    const int byte = kLargeStart + column * kLargeColumnBytes + row / 8;
    return ((glyph[byte] >> (row % 8)) & 1) != 0;
}

// An image too small to be a working image (none loaded yet) reads as no
// image at all.
DisplayFont::DisplayFont(cmcEeprom &workingImage)
{
    const std::int32_t lastUserByte =
        channel_offsets::kGlyph49 +
        kUserCharacters * static_cast<std::int32_t>(WideGlyph().size()) - 1;
    if (!workingImage.IsValidAddress(kSizeAddress) || !workingImage.IsValidAddress(lastUserByte))
        return;
    size_ = (workingImage.GetByte(kSizeAddress) & kSmallSizeBit) != 0 ? Size::Small : Size::Large;
    datCh record(&workingImage);
    for (int i = 0; i < kUserCharacters; ++i) {
        record.decode(kRecordKindUserCharacter, i);
        user_[i] = record.Glyph24;
    }
}

const DisplayFont::Glyph &DisplayFont::GlyphOf(std::uint8_t code) const
{
    if (code >= kFirstUserCode && code < kFirstUserCode + kUserCharacters)
        return user_[code - kFirstUserCode];
    return BuiltIn(code);
}
