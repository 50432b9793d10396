// The print mode the user character sheets read on paper: set while each
// of them is laid out, printed or drawn into the preview, back to the
// screen's once the command is over, however it ends.
#include "PrinterFixture.h"

#include "cells/PrintMode.h"
#include "cells/cmcCellCapsule.h"
#include "platform/MessageService.h"

#include <QPushButton>

#include <map>
#include <set>

namespace {

// The fixture's labelled cells: one on each sheet.
constexpr int kHandheldCell = 0;
constexpr int kMobileCell = 1;
constexpr int kNamesCell = 2;

class PrintModeOnPaper : public PrinterFixture
{
protected:
    using Seen = std::map<int, std::set<PrintMode::Mode>>;

    PrintModeOnPaper()
    {
        handler.onDraw = [this](cmcCellCapsule &capsule) {
            if ((capsule.stateBits & cmcCellCapsule::kStatePrinting) == 0 ||
                capsule.cell == nullptr)
                return;
            (inPreviewNow ? previewed : printed)[capsule.cell->index].insert(PrintMode::Current());
            if (onPaper)
                onPaper();
        };
        // Every page of the preview is drawn, as the user pages through it.
        inPreview = [this](cuiPreview &preview) {
            inPreviewNow = true;
            preview.ShowFirstPage();
            for (int page = 0; page <= preview.LastPage(); ++page) {
                preview.ShowPage(page);
                modeBetweenPages.insert(PrintMode::Current());
            }
            inPreviewNow = false;
        };
    }
    ~PrintModeOnPaper() override { EXPECT_EQ(PrintMode::Current(), PrintMode::kScreen); }

    void printAll(const std::vector<std::string> &sheets)
    {
        for (const std::string &sheet : sheets)
            printer->AddSheet(sheet);
        printer->Print(true, nullptr, "");
        for (int tick = 0; tick < 10 && printer->BatchRunning(); ++tick)
            printer->BatchTick();
        EXPECT_FALSE(printer->BatchRunning());
    }

    bool inPreviewNow = false;
    Seen previewed;
    Seen printed;
    std::set<PrintMode::Mode> modeBetweenPages;
    std::function<void()> onPaper;
};

// The sheet's layout key decides, with or without the class the tree puts
// in front of it.
TEST_F(PrintModeOnPaper, EachCharacterSheetIsPreviewedAndPrintedInItsMode)
{
    struct Case {
        const char *callText;
        int cell;
        PrintMode::Mode mode;
    } cases[] = {
        {"[St_Common]GI_Sheet_Common_CEdit", kHandheldCell, PrintMode::kSmallGlyphs},
        {"GI_Sheet_Common_CEdit", kHandheldCell, PrintMode::kSmallGlyphs},
        {"[St_Common]GI_Sheet_Common_CEdit_Mob", kMobileCell, PrintMode::kLargeGlyphs},
        {"GI_Sheet_Names", kNamesCell, PrintMode::kScreen},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.callText);
        previewed.clear();
        printed.clear();
        modeBetweenPages.clear();
        printer->Print(false, &target(c.callText), c.callText);
        EXPECT_EQ(previewed, Seen({{c.cell, {c.mode}}}));
        EXPECT_EQ(printed, Seen({{c.cell, {c.mode}}}));
        EXPECT_EQ(modeBetweenPages, std::set<PrintMode::Mode>{PrintMode::kScreen});
        EXPECT_EQ(PrintMode::Current(), PrintMode::kScreen);
        EXPECT_GT(pdfPages(), 0);
    }
}

TEST_F(PrintModeOnPaper, PrintAllSetsTheModeOfEachSheetItPrints)
{
    printAll({"GI_Sheet_Names", "[St_Common]GI_Sheet_Common_CEdit",
              "[St_Common]GI_Sheet_Common_CEdit_Mob", "GI_Sheet_Small"});
    const Seen expected{{kHandheldCell, {PrintMode::kSmallGlyphs}},
                        {kMobileCell, {PrintMode::kLargeGlyphs}},
                        {kNamesCell, {PrintMode::kScreen}}};
    EXPECT_EQ(previewed, expected);
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(PrintMode::Current(), PrintMode::kScreen);
}

// The command ends in the preview, at the cancel button in the middle of a
// character sheet, or on a printer that cannot start the document.
TEST_F(PrintModeOnPaper, TheModeIsClearedHoweverPrintAllEnds)
{
    struct Case {
        const char *name;
        bool print;
        bool cancelOnPaper;
        bool unwritable;
        int pages;
    } cases[] = {
        {"declined in the preview", false, false, false, 0},
        {"cancelled on the handheld's page", true, true, false, 1},
        {"document never started", true, false, true, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        platform::RecordingMessageService messages;
        platform::ScopedMessageService scope(messages);
        auto hooks = cuiPrinter::Hooks{};
        hooks.setUp = [](QPrinter &, QWidget *) { return true; };
        hooks.runPreview = [this, &c](cuiPreview &preview) {
            inPreview(preview);
            return c.print;
        };
        hooks.makePrinter = [this, &c] {
            auto made = std::make_unique<QPrinter>(QPrinter::HighResolution);
            made->setOutputFormat(QPrinter::PdfFormat);
            made->setOutputFileName(c.unwritable ? folder.filePath("missing/out.pdf") : pdfPath());
            return made;
        };
        printer->SetHooks(hooks);
        const int before = printer->PagesPrinted();
        onPaper = [this, &c] {
            if (c.cancelOnPaper && !inPreviewNow && printer->CancelButton() != nullptr)
                printer->CancelButton()->click();
        };
        printAll({"[St_Common]GI_Sheet_Common_CEdit", "[St_Common]GI_Sheet_Common_CEdit_Mob"});
        EXPECT_EQ(printer->PagesPrinted() - before, c.pages);
        EXPECT_EQ(PrintMode::Current(), PrintMode::kScreen);
        EXPECT_TRUE(owner.isEnabled());
    }
}

} // namespace
