#include "PrinterFixture.h"

#include "platform/MessageService.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QThread>

namespace {

using PrintCurrent = PrinterFixture;

TEST_F(PrintCurrent, SmallSheetPrintsOnePageAfterThePreview)
{
    printer->Print(false, &target("GI_Sheet_Small"), "GI_Sheet_Small");
    EXPECT_EQ(setUps, 1);
    EXPECT_EQ(previewPages, 1);
    EXPECT_EQ(printer->PagesPrinted(), 1);
    EXPECT_EQ(pdfPages(), 1);
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(printer->PrintingDialog(), nullptr);
}

// Pages the preview showed are the pages that come out of the printer.
class SplitSheets : public PrinterFixture, public testing::WithParamInterface<const char *>
{};

TEST_P(SplitSheets, PrintAsManyPagesAsThePreviewShowed)
{
    const std::string sheet = GetParam();
    printer->Print(false, &target(sheet), sheet);
    EXPECT_GT(previewPages, 1);
    EXPECT_EQ(printer->PagesPrinted(), previewPages);
    EXPECT_EQ(pdfPages(), previewPages);
}

INSTANTIATE_TEST_SUITE_P(Sheets, SplitSheets, testing::Values("GI_Sheet_Wide", "GI_Sheet_Tall"));

// The pages as the preview recorded them.
class PageLayout : public PrinterFixture
{
protected:
    std::vector<dst_Preview> pagesOfSheet(const std::string &sheet)
    {
        std::vector<dst_Preview> pages;
        previewAnswer = false;
        inPreview = [&pages](cuiPreview &preview) {
            pages.assign(preview.Pages().begin(),
                         preview.Pages().begin() + preview.RecordedPages());
        };
        printer->Print(false, &target(sheet), sheet);
        return pages;
    }
};

TEST_F(PageLayout, AJoinedHeadingIsNeverSplitOverTwoPages)
{
    ASSERT_TRUE(target("GI_Sheet_Joined").CellAt(2, 0).Joined());
    const std::vector<dst_Preview> pages = pagesOfSheet("GI_Sheet_Joined");
    ASSERT_GT(pages.size(), 1u);
    for (const dst_Preview &page : pages) {
        EXPECT_EQ(page.firstCol % 2, 1) << "page starts inside a heading at " << page.firstCol;
        EXPECT_EQ(page.colCount % 2, 0);
    }
}

TEST_F(PageLayout, ATileWiderThanThePageIsPrintedSmallerToFit)
{
    const std::vector<dst_Preview> pages = pagesOfSheet("GI_Sheet_Huge");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].margins.contains(pages[0].tile))
        << "tile " << pages[0].tile.width() << " wide, margins " << pages[0].margins.width();
}

TEST_F(PageLayout, EveryPageRepeatsTheFixedPartAndNoColumnIsLost)
{
    const std::vector<dst_Preview> pages = pagesOfSheet("GI_Sheet_Wide");
    ASSERT_GT(pages.size(), 1u);
    int nextCol = 1;
    for (const dst_Preview &page : pages) {
        if (page.firstCol == 1 && page.firstRow != pages[0].firstRow)
            nextCol = 1; // the next band of rows starts again at the left
        EXPECT_EQ(page.firstCol, nextCol);
        nextCol = page.firstCol + page.colCount;
    }
    EXPECT_EQ(nextCol, 13) << "every one of the twelve scrolling columns";
}

struct Refusal {
    std::string name;
    bool hasPrinter;
    bool setUp;
    bool preview;
    const char *sheet;
    bool previewShown;
};

class NothingPrinted : public PrinterFixture, public testing::WithParamInterface<Refusal>
{};

TEST_P(NothingPrinted, WhenTheCommandIsRefused)
{
    const Refusal &r = GetParam();
    platform::RecordingMessageService messages;
    platform::ScopedMessageService scope(messages);
    hasPrinter = r.hasPrinter;
    setUpAnswer = r.setUp;
    previewAnswer = r.preview;
    printer->Print(false, &target(r.sheet), r.sheet);
    EXPECT_EQ(previewPages != -1, r.previewShown);
    EXPECT_EQ(printer->PagesPrinted(), 0);
    EXPECT_FALSE(pdfWritten());
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(printer->PrintingDialog(), nullptr);
    EXPECT_EQ(messages.shown().size(), r.hasPrinter ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NothingPrinted,
    testing::Values(Refusal{"PreviewCancelled", true, true, false, "GI_Sheet_Small", true},
                    Refusal{"PrinterSetUpCancelled", true, false, true, "GI_Sheet_Small", false},
                    Refusal{"NoPrinter", false, true, true, "GI_Sheet_Small", false},
                    Refusal{"SheetForbidsPrinting", true, true, true, "GI_Sheet_Hidden", true}),
    [](const testing::TestParamInfo<Refusal> &param) { return param.param.name; });

TEST_F(PrintCurrent, NoPrinterIsReportedAsAnError)
{
    platform::RecordingMessageService messages;
    platform::ScopedMessageService scope(messages);
    hasPrinter = false;
    printer->Print(false, &target("GI_Sheet_Small"), "GI_Sheet_Small");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "No printer is installed.");
    EXPECT_EQ(messages.shown()[0].caption, "Quillon(dPMR)");
    EXPECT_EQ(messages.shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(setUps, 0);
}

TEST_F(PrintCurrent, WithoutATargetNothingHappens)
{
    printer->Print(false, nullptr, "GI_Sheet_Small");
    EXPECT_EQ(setUps, 0);
}

TEST_F(PrintCurrent, TheOwnerIsDisabledWhileThePreviewRuns)
{
    bool ownerEnabled = true;
    bool previewEnabled = false;
    inPreview = [&](cuiPreview &preview) {
        ownerEnabled = owner.isEnabled();
        previewEnabled = preview.isEnabled();
    };
    printer->Print(false, &target("GI_Sheet_Small"), "GI_Sheet_Small");
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(previewEnabled);
    EXPECT_TRUE(owner.isEnabled());
}

class PrintAll : public PrinterFixture
{
protected:
    void startBatch()
    {
        for (const char *sheet : {"GI_Sheet_Small", "GI_Sheet_Tall", "GI_Sheet_Wide"})
            printer->AddSheet(sheet);
        printer->Print(true, nullptr, "");
    }
};

TEST_F(PrintAll, OneSheetPerTickIntoOneDocument)
{
    const int small = pagesOf("GI_Sheet_Small");
    const int tall = pagesOf("GI_Sheet_Tall");
    const int wide = pagesOf("GI_Sheet_Wide");
    startBatch();
    EXPECT_EQ(previewPages, small + tall + wide);
    ASSERT_TRUE(printer->BatchRunning());
    EXPECT_FALSE(owner.isEnabled());
    ASSERT_NE(printer->PrintingDialog(), nullptr);
    EXPECT_TRUE(printer->PrintingDialog()->isVisible());
    const std::vector<int> expectedPages{small, small + tall, small + tall + wide};
    for (int tick = 0; tick < 3; ++tick) {
        printer->BatchTick();
        EXPECT_EQ(printer->PagesPrinted(), expectedPages[static_cast<std::size_t>(tick)]);
    }
    EXPECT_FALSE(printer->BatchRunning());
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(printer->PrintingDialog(), nullptr);
    EXPECT_TRUE(printer->SheetList().empty());
    EXPECT_EQ(pdfPages(), small + tall + wide);
}

TEST_F(PrintAll, CancelStopsAfterTheCurrentSheet)
{
    const int small = pagesOf("GI_Sheet_Small");
    startBatch();
    printer->BatchTick();
    ASSERT_NE(printer->CancelButton(), nullptr);
    printer->CancelButton()->click();
    printer->BatchTick();
    EXPECT_FALSE(printer->BatchRunning());
    EXPECT_EQ(printer->PagesPrinted(), small);
    EXPECT_EQ(pdfPages(), small);
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(printer->PrintingDialog(), nullptr);
}

TEST_F(PrintAll, SheetsNotForPaperGiveNoPages)
{
    const int small = pagesOf("GI_Sheet_Small");
    printer->AddSheet("GI_Sheet_Hidden");
    printer->AddSheet("GI_Sheet_Small");
    printer->Print(true, nullptr, "");
    EXPECT_EQ(previewPages, small);
    printer->BatchTick();
    printer->BatchTick();
    EXPECT_FALSE(printer->BatchRunning());
    EXPECT_EQ(pdfPages(), small);
}

TEST_F(PrintAll, ThePrintersTaskRunsTheBatch)
{
    startBatch();
    QElapsedTimer waited;
    waited.start();
    while (printer->BatchRunning() && waited.elapsed() < 10000) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
    EXPECT_FALSE(printer->BatchRunning());
    EXPECT_GT(pdfPages(), 2);
}

TEST_F(PrintAll, PreviewCancelledPrintsNothing)
{
    previewAnswer = false;
    startBatch();
    EXPECT_FALSE(printer->BatchRunning());
    printer->BatchTick();
    EXPECT_EQ(printer->PagesPrinted(), 0);
    EXPECT_FALSE(pdfWritten());
    EXPECT_TRUE(owner.isEnabled());
}

} // namespace
