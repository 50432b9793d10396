#include "FrameTestFixture.h"

#include "cells/EventCodes.h"
#include "printing/cuiPreview.h"
#include "printing/cuiPrinter.h"
#include "sheets/cuiSheet.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

const std::string kCommon = "[St_Common]GI_Sheet_Common";

// The print commands of the main window, on the program's own overlay;
// pages go into a PDF file instead of a printer.
class PrintCommands : public FrameTest
{
protected:
    void openWithPdfPrinter()
    {
        openForm();
        ASSERT_NE(view().Printer(), nullptr);
        cuiPrinter::Hooks hooks;
        hooks.hasPrinter = [] { return true; };
        hooks.setUp = [](QPrinter &, QWidget *) { return true; };
        hooks.runPreview = [this](cuiPreview &preview) {
            previewPages = preview.RecordedPages();
            return previewAnswer;
        };
        hooks.makePrinter = [this] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(folder.filePath("out.pdf"));
            return printer;
        };
        view().Printer()->SetHooks(hooks);
    }

    QAction *menuItem(const QString &text)
    {
        for (QAction *top : form->menuBar()->actions()) {
            if (top->menu() == nullptr)
                continue;
            for (QAction *item : top->menu()->actions()) {
                if (item->text() == text)
                    return item;
            }
        }
        return nullptr;
    }

    QTemporaryDir folder;
    bool previewAnswer = false;
    int previewPages = -1;
};

TEST_F(PrintCommands, PrintCurrentIsEnabledOnlyWithAPrintableSheet)
{
    openWithPdfPrinter();
    QAction *printCurrent = menuItem("&Print...");
    ASSERT_NE(printCurrent, nullptr);
    view().CloseCurrentSheet();
    eventManager().Send(kEvMenuStates);
    EXPECT_FALSE(printCurrent->isEnabled());
    EXPECT_FALSE(view().CanPrintCurrentSheet());
    view().OpenSheet("GI_Sheet_CloneInfo");
    eventManager().Send(kEvMenuStates);
    EXPECT_FALSE(printCurrent->isEnabled()) << "the clone information is not for paper";
    view().OpenSheet(kCommon);
    eventManager().Send(kEvMenuStates);
    EXPECT_TRUE(printCurrent->isEnabled());
}

TEST_F(PrintCommands, PrintCurrentPrintsTheOpenSheet)
{
    openWithPdfPrinter();
    view().OpenSheet(kCommon);
    ASSERT_TRUE(view().CanPrintCurrentSheet());
    previewAnswer = true;
    view().PrintCurrentSheet();
    EXPECT_GT(previewPages, 0);
    EXPECT_EQ(view().Printer()->PagesPrinted(), previewPages);
    EXPECT_TRUE(QFile::exists(folder.filePath("out.pdf")));
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(view().CurrentCallText(), kCommon);
}

TEST_F(PrintCommands, PrintAllTakesEverySheetOfTheTree)
{
    openWithPdfPrinter();
    const std::vector<std::string> tree = view().TreeCallTexts();
    ASSERT_FALSE(tree.empty());
    view().PrintAllSheets();
    EXPECT_EQ(view().Printer()->SheetList(), indMain::PrintAllCallTexts(tree));
    EXPECT_GE(previewPages, 1);
    EXPECT_FALSE(view().Printer()->BatchRunning()) << "the preview was declined";
    EXPECT_FALSE(QFile::exists(folder.filePath("out.pdf")));
}

} // namespace
