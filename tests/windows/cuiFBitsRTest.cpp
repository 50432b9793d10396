#include "windows/cuiFBitsR.h"

#include "CellWindowFixture.h"
#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "support/ImagePixels.h"
#include "ui/WindowGeometry.h"
#include "windows/PopupPlacement.h"

#include <QPainter>
#include <QPointer>

#include <QPushButton>
#include <stdexcept>

namespace {

constexpr std::uint32_t member(int k) { return 1u << (26 - k); }

// Enter on the host's cell opens the flag bits window with the
// parameters of the test.
class FlagBitsWindow : public CellWindowFixture
{
protected:
    FlagBitsWindow()
    {
        openWindow = [this](const cmcCellCapsule &capsule) {
            window = cuiFBitsR::Open(capsule, mainTextDatabase(), value, 1, last, headingStyle,
                                     markStyle, sheetKey);
        };
    }

    cuiFBitsR &open()
    {
        enterOnHost();
        return shown();
    }
    cuiFBitsR &shown() { return shownOf(window); }
    cuiGrid &grid() { return *shown().Sheet()->Grid(); }
    // Check box j sits in column 2j - 1 of row 3.
    QPoint boxCentre(int j) { return grid().cellRect(2 * j - 1, 3).center(); }
    void toggleByKey(int j)
    {
        ASSERT_TRUE(shown().Sheet()->PutCursor(2 * j - 1, 3));
        press(grid(), Qt::Key_Space, " ");
    }
    // The answer the window gave, if exactly one.
    const FakeCellHandler::Call *onlyAnswer()
    {
        const std::vector<FakeCellHandler::Call> given = answers();
        EXPECT_LE(given.size(), 1u);
        lastAnswer = given.empty() ? FakeCellHandler::Call{} : given.front();
        return given.empty() ? nullptr : &lastAnswer;
    }
    // A draw request for the cell at (col, row) of the window's sheet, as
    // the painter makes one; `canvas` when it draws.
    cmcCellCapsule draw(int col, int row, QPainter *canvas = nullptr)
    {
        look = shown().Sheet()->CellAt(col, row);
        cmcCellCapsule capsule;
        capsule.cell = &look;
        capsule.canvas = canvas;
        capsule.sheet = shown().Sheet();
        shown().Sheet()->CallHandler(capsule, kHandlerDraw);
        return capsule;
    }
    cmcCellCapsule drawBox(int j) { return draw(2 * j - 1, 3); }

    std::uint32_t value = 0;
    std::int32_t last = 16;
    std::int32_t headingStyle = cuiFBitsR::kDigitsThenLetters;
    std::int32_t markStyle = cuiFBitsR::kMarkCheck;
    std::string sheetKey;
    QPointer<cuiFBitsR> window;
    FakeCellHandler::Call lastAnswer;
    cmcCellObj look;
};

TEST_F(FlagBitsWindow, SixteenMembersShowDigitsThenLettersOverTheirCheckBoxes)
{
    cuiFBitsR &bits = open();
    EXPECT_TRUE(bits.isVisible());
    EXPECT_TRUE(bits.windowFlags() & Qt::FramelessWindowHint);
    cuiSheet &sheet = *bits.Sheet();
    ASSERT_EQ(sheet.ColCount(), 32);
    const std::string headings = "123456789ABCDEFG";
    for (int j = 1; j <= 16; ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(sheet.CellAt(2 * j - 1, 1).GetText(), headings.substr(j - 1, 1));
        EXPECT_EQ(sheet.CellAt(2 * j - 1, 3).label, CL_FBits);
        EXPECT_EQ(sheet.CellAt(2 * j - 1, 3).index, j);
        if (j < 16) {
            EXPECT_EQ(sheet.CellAt(2 * j, 3).label, CL_Misc_QuarterPillar);
        }
    }
    EXPECT_EQ(sheet.CurrentCell(), (GridCoord{1, 3})) << "on the first check box";

    const QRect cell = host->Grid()->cellRect(0, 0);
    const QRect onScreen(host->Grid()->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    EXPECT_EQ(bits.pos(), popup_placement::position(onScreen, bits.frameGeometry().size(),
                                                    window_geometry::workAreaOf(host->Grid())));
}

TEST_F(FlagBitsWindow, HeadingsFollowTheirStyle)
{
    struct Case {
        std::int32_t style;
        std::int32_t member;
        std::int32_t last;
        const char *heading;
    } cases[] = {
        {cuiFBitsR::kDecimal, 12, 16, "12"},
        {cuiFBitsR::kHexadecimal, 12, 16, "C"},
        {cuiFBitsR::kDecimalTenAsZero, 10, 10, "0"},
        {cuiFBitsR::kDecimalTenAsZero, 9, 10, "9"},
        {cuiFBitsR::kDigitsThenLetters, 9, 17, "9"},
        {cuiFBitsR::kDigitsThenLetters, 10, 17, "A"},
        {cuiFBitsR::kDigitsThenLetters, 16, 17, "G"},
        {cuiFBitsR::kDigitsThenLetters, 17, 17, "Z"},
        {cuiFBitsR::kLetters, 1, 5, "A"},
        {cuiFBitsR::kNmeaSentences, 1, 5, "RMC"},
        {cuiFBitsR::kNmeaSentences, 5, 5, "VTG"},
        {cuiFBitsR::kBitNumbers, 1, 8, "B7"},
        {cuiFBitsR::kBitNumbers, 8, 8, "B0"},
        {99, 7, 8, "7"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " member " << c.member);
        EXPECT_EQ(cuiFBitsR::Heading(c.style, c.member, c.last), c.heading);
    }
}

TEST_F(FlagBitsWindow, SpaceTogglesAMemberAndOkAnswersTheMaskInDecimal)
{
    cuiFBitsR &bits = open();
    toggleByKey(3);
    EXPECT_EQ(bits.Value(), member(3));
    EXPECT_EQ(bits.Value(), 8388608u);
    EXPECT_TRUE(answers().empty()) << "toggling answers nothing yet";
    bits.OkButton()->click();
    const FakeCellHandler::Call *answer = onlyAnswer();
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->inputText, "8388608");
    EXPECT_EQ(answer->label, Flex1) << "the opening cell";
    EXPECT_EQ(answer->chosenLabel, CodecOpen::kWindowAnswerStyle);
    EXPECT_EQ(answer->chosenIndex, 8388608);
    settle();
    EXPECT_TRUE(window.isNull());
}

TEST_F(FlagBitsWindow, ADoubleClickTogglesAndSpaceTogglesBack)
{
    value = member(1) | member(16);
    cuiFBitsR &bits = open();
    doubleClick(grid(), boxCentre(2));
    EXPECT_EQ(bits.Value(), member(1) | member(2) | member(16));
    toggleByKey(16);
    EXPECT_EQ(bits.Value(), member(1) | member(2));
    press(grid(), Qt::Key_Return, "\r");
    const FakeCellHandler::Call *answer = onlyAnswer();
    ASSERT_NE(answer, nullptr) << "Enter is OK";
    EXPECT_EQ(answer->inputText, std::to_string(member(1) | member(2)));
}

TEST_F(FlagBitsWindow, LeavingAnswersUnlessCancelled)
{
    struct Case {
        const char *name;
        std::function<void(cuiFBitsR &)> leave;
        bool answers;
    } cases[] = {
        {"a click elsewhere", [](cuiFBitsR &w) { deactivate(w); }, true},
        {"pending edits finished (event 21)",
         [](cuiFBitsR &) { eventManager().Send(kEvFinishEdits); }, true},
        {"Cancel, then a click elsewhere",
         [](cuiFBitsR &w) {
             w.CancelButton()->click();
             deactivate(w);
         },
         false},
        {"Escape", [this](cuiFBitsR &) { press(grid(), Qt::Key_Escape, "\x1b"); }, false},
        {"the opening grid goes (event 1)", [this](cuiFBitsR &) { host.reset(); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (host == nullptr)
            openHost();
        handler.actions.clear();
        open();
        toggleByKey(5);
        c.leave(shown());
        if (!window.isNull()) {
            EXPECT_FALSE(shown().isVisible());
        }
        settle();
        EXPECT_TRUE(window.isNull());
        const FakeCellHandler::Call *answer = onlyAnswer();
        EXPECT_EQ(answer != nullptr, c.answers);
        if (answer != nullptr) {
            EXPECT_EQ(answer->inputText, std::to_string(member(5)));
        }
    }
}

TEST_F(FlagBitsWindow, MoreThanThreeSentencesMarkEveryBoxAndDisableOk)
{
    last = 5;
    headingStyle = cuiFBitsR::kNmeaSentences;
    value = member(1) | member(2) | member(3);
    cuiFBitsR &bits = open();
    EXPECT_TRUE(bits.OkButton()->isEnabled());
    EXPECT_EQ(drawBox(5).stateBits & cmcCellCapsule::kStateError, 0);
    toggleByKey(4);
    EXPECT_FALSE(bits.OkButton()->isEnabled());
    for (int j = 1; j <= 5; ++j) {
        SCOPED_TRACE(j);
        EXPECT_NE(drawBox(j).stateBits & cmcCellCapsule::kStateError, 0);
    }
    press(grid(), Qt::Key_Return, "\r");
    EXPECT_TRUE(answers().empty()) << "Enter is the disabled OK";
    toggleByKey(1);
    EXPECT_TRUE(bits.OkButton()->isEnabled());
    EXPECT_EQ(drawBox(2).stateBits & cmcCellCapsule::kStateError, 0);
    deactivate(bits);
    const FakeCellHandler::Call *answer = onlyAnswer();
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->inputText, std::to_string(member(2) | member(3) | member(4)));
}

TEST_F(FlagBitsWindow, ASetMemberShowsACheckMarkOrTheLetterO)
{
    value = member(2);
    cuiFBitsR &bits = open();
    QApplication::processEvents();
    const QImage image = grid().viewport()->grab().toImage();
    const QRect mark = cuiFBitsR::CheckMark(grid().cellRect(3, 3)).boundingRect();
    EXPECT_GT(testing_support::darkPixels(image, mark), mark.width())
        << "a check mark in the set member's box";
    EXPECT_EQ(testing_support::darkPixels(
                  image, cuiFBitsR::CheckMark(grid().cellRect(5, 3)).boundingRect()),
              0)
        << "none in a clear one";
    bits.close();
    settle();

    markStyle = cuiFBitsR::kMarkLetter;
    open();
    QImage canvas(40, 40, QImage::Format_RGB32);
    QPainter painter(&canvas);
    EXPECT_EQ(draw(3, 3, &painter).outputText, "o");
    EXPECT_EQ(draw(5, 3, &painter).outputText, "");
}

// A sheet the caller names comes from the caller's texts.
TEST_F(FlagBitsWindow, ANamedSheetReplacesTheBuiltInOne)
{
    sheetKey = "GI_Sheet_Checks";
    last = 2;
    cuiFBitsR &bits = open();
    EXPECT_EQ(bits.Sheet()->CellAt(1, 0).GetText(), "one");
    ASSERT_TRUE(bits.Sheet()->PutCursor(3, 1));
    press(grid(), Qt::Key_Space, " ");
    bits.OkButton()->click();
    const FakeCellHandler::Call *answer = onlyAnswer();
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->inputText, std::to_string(member(2)));
}

TEST(FlagBitsDescription, ThirtyTwoLinesWithHeadingsAndBoxes)
{
    const std::vector<std::string> lines =
        cuiFBitsR::Description(1, 3, cuiFBitsR::kDecimalTenAsZero);
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "#GI_Sheet_FBitsR_Style");
    EXPECT_EQ(lines[6], "|{($iChI)}1||{($iChI)}2||{($iChI)}3|");
    EXPECT_EQ(lines[8], "|{($eWh)^(%CL_FBits[1])}9|{($iQp)}|{($eWh)^(%CL_FBits[2])}9|{($iQp)}|"
                        "{($eWh)^(%CL_FBits[3])}9|");
    EXPECT_EQ(lines[30], "#End_Of_Ovl");
}

} // namespace
