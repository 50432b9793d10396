// Every sheet of the navigation tree painted at the small, a large and the
// largest size of View > Font Size: no text is cut off by its cell, and the
// sheet titles stay readable on their background.

#include "FrameTestFixture.h"

#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/SheetColours.h"
#include "sheets/SheetFonts.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

#include <QApplication>
#include <QLabel>

#include <cmath>
#include <sstream>

namespace {

class FontSizes : public FrameTest, public ::testing::WithParamInterface<int>
{};

std::string describe(const std::string &callText, const cuiSheet::ClippedText &clipped)
{
    std::ostringstream out;
    out << callText << " cell " << clipped.col << "," << clipped.row << " '" << clipped.text
        << "' needs " << clipped.needed.width() << "x" << clipped.needed.height() << ", has "
        << clipped.room.width() << "x" << clipped.room.height();
    return out.str();
}

TEST_P(FontSizes, NoTextIsCutOffByItsCell)
{
    settings().fontSizePercentage = GetParam();
    openForm();
    // Channels in use, so that their rows show numbers, frequencies and
    // names.
    ASSERT_TRUE(model().LoadFile(testing_support::fixtureDir() + "cli/two-channels.vrc"));
    // Room for the first screenful of every sheet; the rows below repeat
    // the ones on show.
    form->resize(2400, 1600);
    const std::vector<std::string> sheets = view().TreeCallTexts();
    ASSERT_FALSE(sheets.empty());
    std::vector<std::string> clipped;
    for (const std::string &callText : sheets) {
        view().OpenSheet(callText);
        cuiSheet *sheet = view().CurrentSheet();
        ASSERT_NE(sheet, nullptr) << callText;
        QApplication::processEvents();
        cuiGrid *grid = sheet->Grid();
        if (grid == nullptr)
            continue;
        sheet->NoteClippedTexts(true);
        grid->grab();
        for (const cuiSheet::ClippedText &text : sheet->ClippedTexts()) {
            // A column whose label has no binding yet shows a stand-in
            // text; the column is sized for the real one.
            if (!text.text.ends_with(" *Yet*"))
                clipped.push_back(describe(callText, text));
        }
        sheet->NoteClippedTexts(false);
        if (const QLabel *title = sheet->TitleLabel(); title != nullptr && title->isVisible()) {
            const QPalette palette = title->palette();
            EXPECT_GE(SheetColours::ContrastRatio(palette.color(QPalette::WindowText),
                                                  palette.color(QPalette::Window)),
                      SheetColours::kReadableContrast)
                << callText;
            // The heading grows with the font of the cells, 13 pixels at
            // 100 %.
            const QFont base = SheetFonts::ToQFont(sheet->FontOf(sheet->BaseCell()));
            EXPECT_EQ(title->font().pixelSize(), base.pixelSize()) << callText;
            EXPECT_NEAR(base.pixelSize(), 13.0 * GetParam() / 100, 1.0) << callText;
        }
    }
    std::ostringstream all;
    for (const std::string &line : clipped)
        all << line << "\n";
    EXPECT_TRUE(clipped.empty()) << clipped.size() << " texts cut off:\n" << all.str();
}

INSTANTIATE_TEST_SUITE_P(Percentages, FontSizes, ::testing::Values(75, 125, 200),
                         [](const auto &size) { return std::to_string(size.param); });

} // namespace
