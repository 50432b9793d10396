// The user character cells through the handler: Enter opens the character
// editor on the glyph of the display's font size, and the editor's answer
// rebuilds that part of the kind 3 record in the working image.
#include "HandlerTestFixture.h"

#include "cells/CellCodec.h"
#include "cells/PrintMode.h"
#include "channels/DisplayFont.h"
#include "channels/datCh.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetLayoutFactory.h"
#include "sheets/SheetTextDump.h"
#include "textdb/GlobalTexts.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kGlyph24 = 0x10F53;
constexpr std::int32_t kGlyph49 = 0x110D3;
constexpr int kGlyphBytes = 24;
constexpr int kWideGlyphBytes = 49;

class UserCharacters : public HandlerTest
{
protected:
    UserCharacters() : HandlerTest(true) {}

    cmcEeprom &image() { return model->WorkingImage(); }
    void useSmallFont(bool small)
    {
        const std::uint8_t byte = image().GetByte(DisplayFont::kSizeAddress);
        image().SetByte(DisplayFont::kSizeAddress,
                        static_cast<std::uint8_t>(small ? byte | DisplayFont::kSmallSizeBit
                                                        : byte & ~DisplayFont::kSmallSizeBit));
    }
    // Both glyph forms of user character `index` filled with a pattern.
    void fillGlyphs(int index)
    {
        for (int k = 0; k < kGlyphBytes; ++k)
            image().SetByte(kGlyph24 + kGlyphBytes * index + k,
                            static_cast<std::uint8_t>(0x5A ^ k));
        for (int k = 0; k < kWideGlyphBytes; ++k)
            image().SetByte(kGlyph49 + kWideGlyphBytes * index + k,
                            static_cast<std::uint8_t>(0xA5 ^ k));
    }
    std::string bytesAt(std::int32_t address, int count)
    {
        std::string bytes;
        for (int k = 0; k < count; ++k)
            bytes += static_cast<char>(image().GetByte(address + k));
        return bytes;
    }
    std::string glyph(int index) { return bytesAt(kGlyph24 + kGlyphBytes * index, kGlyphBytes); }
    std::string wideGlyph(int index)
    {
        return bytesAt(kGlyph49 + kWideGlyphBytes * index, kWideGlyphBytes);
    }
    void enter(int index)
    {
        cmcCellObj cell = cellOf(CT_CEdit, CL_CEdit, index);
        Request request(cell, cmcCellCapsule::kCodeEnter);
        int grid = 0;
        request.capsule.grid = reinterpret_cast<cuiGrid *>(&grid);
        request.run(kHandlerAction);
    }
    // The rows the cell draws its glyph in, on screen or for paper.
    int drawnRows(int index, bool forPaper)
    {
        cmcCellObj cell = cellOf(CT_CEdit, CL_CEdit, index);
        Request request(cell);
        if (forPaper)
            request.capsule.stateBits |= cmcCellCapsule::kStatePrinting;
        request.run(kHandlerDraw);
        if (!request.capsule.dotMatrix || !request.capsule.dotMatrix->size)
            return 0;
        return DisplayFont::RowsOf(*request.capsule.dotMatrix->size);
    }
    // What the character editor's OK sends.
    void answer(int index, const std::string &dots)
    {
        cmcCellObj cell = cellOf(CT_CEdit, CL_CEdit, index);
        cmcCellObj answering = cellOf(CT_Null, CodecOpen::kWindowAnswerStyle, 0);
        cmcCellCapsule window;
        window.cell = &answering;
        Request request(cell);
        request.capsule.origin = &window;
        request.capsule.inputMode = cmcCellCapsule::kInputChosen;
        request.capsule.inputText = dots;
        request.run(kHandlerAction);
    }
};

TEST_F(UserCharacters, EnterOpensTheEditorOnTheRowsOfTheFontInUse)
{
    struct Case {
        bool small;
        const char *call;
    } cases[] = {{true, "window  0..8"}, {false, "window  0..17"}};
    for (const Case &c : cases) {
        useSmallFont(c.small);
        calls.clear();
        enter(3);
        ASSERT_EQ(calls.size(), 1u) << c.small;
        EXPECT_EQ(calls[0], c.call);
    }
}

// The handheld's sheet prints its glyphs in the small font and the
// mobile's in the large one, whatever the radio is set to; the screen, and
// any page printed without a mode, follows the radio's font bit, also while
// a sheet with a mode is being printed.
TEST_F(UserCharacters, TheGlyphIsDrawnInTheRowsThePrintModeAsksFor)
{
    struct Case {
        PrintMode::Mode mode;
        bool forPaper;
        bool small;
        int rows;
    } cases[] = {
        {PrintMode::kScreen, false, true, 8},        {PrintMode::kScreen, false, false, 17},
        {PrintMode::kScreen, true, true, 8},         {PrintMode::kScreen, true, false, 17},
        {PrintMode::kSmallGlyphs, true, false, 8},   {PrintMode::kSmallGlyphs, true, true, 8},
        {PrintMode::kLargeGlyphs, true, true, 17},   {PrintMode::kLargeGlyphs, true, false, 17},
        {PrintMode::kSmallGlyphs, false, false, 17}, {PrintMode::kLargeGlyphs, false, true, 8},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "mode " << c.mode << " paper " << c.forPaper << " small " << c.small);
        useSmallFont(c.small);
        const PrintMode::Scope mode(c.mode);
        EXPECT_EQ(drawnRows(4, c.forPaper), c.rows);
    }
    EXPECT_EQ(PrintMode::Current(), PrintMode::kScreen);
}

// Row r of column c: small font bit r of byte c; large font bit r mod 8 of
// byte 6 + 3c + r div 8. The other part and the 49-byte form stay.
TEST_F(UserCharacters, TheEditorsAnswerRebuildsThePartOfTheFontInUse)
{
    struct Case {
        bool small;
        int rows;
        int row;
        int column;
        std::size_t byte;
        std::uint8_t value;
        std::size_t firstChanged;
        std::size_t endChanged;
    } cases[] = {
        {true, 8, 7, 2, 2, 0x80, 0, 6},
        {false, 17, 16, 5, 6 + 3 * 5 + 2, 0x01, 6, 24},
        {false, 17, 9, 0, 6 + 1, 0x02, 6, 24},
    };
    for (const Case &c : cases) {
        const int index = 15;
        fillGlyphs(index);
        useSmallFont(c.small);
        const std::string before = glyph(index);
        const std::string wideBefore = wideGlyph(index);
        const std::string neighbour = glyph(index - 1);
        std::string dots(static_cast<std::size_t>(6 * c.rows), '0');
        dots[static_cast<std::size_t>(6 * c.row + c.column)] = '1';
        answer(index, dots);
        const std::string after = glyph(index);
        for (std::size_t k = 0; k < after.size(); ++k) {
            const bool changedPart = k >= c.firstChanged && k < c.endChanged;
            const std::uint8_t expected = !changedPart  ? static_cast<std::uint8_t>(before[k])
                                          : k == c.byte ? c.value
                                                        : 0;
            EXPECT_EQ(static_cast<std::uint8_t>(after[k]), expected)
                << "small " << c.small << " byte " << k;
        }
        EXPECT_EQ(wideGlyph(index), wideBefore);
        EXPECT_EQ(glyph(index - 1), neighbour);
    }
}

// OK without a change sends the dots the editor opened with: the glyph is
// stored again as it was, in either font.
TEST_F(UserCharacters, AnsweringTheOpenedDotsKeepsTheGlyph)
{
    for (const bool small : {true, false}) {
        fillGlyphs(0);
        useSmallFont(small);
        const std::string before = glyph(0);
        const int rows = small ? 8 : 17;
        std::string dots;
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < 6; ++c) {
                const std::size_t byte = small ? static_cast<std::size_t>(c)
                                               : static_cast<std::size_t>(6 + 3 * c + r / 8);
                const int bit = small ? r : r % 8;
                dots += ((static_cast<std::uint8_t>(before[byte]) >> bit) & 1) ? '1' : '0';
            }
        }
        answer(0, dots);
        // The large glyph's columns keep 17 rows; bits 17..23 held nothing
        // the editor shows and are cleared.
        std::string expected = before;
        if (!small) {
            for (int c = 0; c < 6; ++c) {
                auto &top = expected[static_cast<std::size_t>(6 + 3 * c + 2)];
                top = static_cast<char>(static_cast<std::uint8_t>(top) & 0x01);
            }
        }
        EXPECT_EQ(glyph(0), expected) << "small " << small;
    }
}

// Both sheets, as the tree opens them for either model type, show every
// user character with its code and the way a name's text spells it; none
// is left unbound.
TEST_F(UserCharacters, TheSheetsShowTheSixteenCharacters)
{
    for (const char *key : {"GI_Sheet_Common_CEdit", "GI_Sheet_Common_CEdit_Mob"}) {
        for (const int modelType : {0, 1}) {
            SCOPED_TRACE(testing::Message() << key << " model type " << modelType);
            environment().modelType = modelType;
            const std::unique_ptr<SheetLayout> sheet =
                SheetLayoutFactory::Create(mainTextDatabase(), std::string("[St_Common]") + key);
            ASSERT_NE(sheet, nullptr);
            sheet->SetWidthsPersistent(false);
            sheet->Show();
            const std::vector<std::string> rows = SheetTextDump::Rows(*sheet);
            ASSERT_EQ(rows.size(), 17u);
            for (int i = 0; i < 16; ++i) {
                char expected[32];
                std::snprintf(expected, sizeof expected, "%d (%02Xh)\t%%%02X\t%%%02X", 16 + i,
                              16 + i, 16 + i, 16 + i);
                EXPECT_EQ(rows[static_cast<std::size_t>(i + 1)], expected);
            }
        }
    }
}

} // namespace
