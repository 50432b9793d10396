#pragma once

#include "printing/cuiPreview.h"
#include "printing/cuiPrinter.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/cuiSheet.h"

#include "FakeCellHandler.h"
#include "SheetTestTexts.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Sheets of the test's own, printed into a PDF file in a temporary folder:
//   Small  3 columns x 4 rows, fits one page;
//   Wide   a fixed column and twelve wide ones;
//   Tall   a heading row over 150 rows;
//   Hidden a sheet whose style forbids printing;
//   Joined headings each spanning two columns;
//   Huge   one column far wider than any page;
//   the user character sheets of the handheld (GI_Sheet_Common_CEdit) and
//   of the mobile (..._Mob) and a sheet of names, one labelled cell each
//   (Flex0 index 0, 1 and 2) for the handler to see drawn.
inline std::vector<std::string> printerTestLines()
{
    std::vector<std::string> lines{
        "#GI_Sys_AppTitleRev", "Quillon(dPMR) Rev. 0.1", "#GI_Sys_Maker", "Vorn",
        "#GI_Sys_Printer_Margins", "15, 15, 15, 15", "#GI_Sys_Printer_FrameFont", "9",
        "#GI_Sys_Printer_NoPrinter", "No printer is installed.", "#GI_Sys_Printer_Failed",
        "The document could not be printed.", "#GI_Sys_Printer_PrintingDialog", "Printing",
        "Printing the sheets...", "Cancel", "#GI_CellWidthRegList", "#",
        // The context menu of the fixture's value cells.
        "#GI_PMenu_Edit_BasicCell", "{(%CT_PopupMenu.)}", "#GI_PMenu_Edit_Body",
        "+Copy{(%CL_PMenu_Copy:Ctrl+C)}"};
    const auto add = [&lines](const std::vector<std::string> &sheet) {
        lines.insert(lines.end(), sheet.begin(), sheet.end());
    };
    add(sheetKeys("GI_Sheet_Small", "(FixedRows=1)(TitleString=Small)",
                  {"{($Head)}No.|{($Head)}Name|{($Head)}Value",
                   "{($Head)}1|{($Val)}Alpha|{($Val)}10", "{($Head)}2|{($Val)}Beta|{($Val)}20",
                   "{($Head)}3|{($Val)}Gamma|{($Val)}30"}));
    std::string heading = "{($Head)}Key";
    std::string body = "{($Head)}Row";
    for (int col = 0; col < 12; ++col) {
        heading += "|{($Head)}A rather long heading of column " + std::to_string(col);
        body += "|{($Val)}value";
    }
    add(sheetKeys("GI_Sheet_Wide", "(FixedCols=1)(FixedRows=1)", {heading, body, body}));
    add(sheetKeys(
        "GI_Sheet_Tall", "(FixedRows=1)",
        {"{($Head)}No.|{($Head)}Name", ":(LoopFrom 150)", "{($Head)}n|{($Val)}entry", ":(End)"}));
    add(sheetKeys("GI_Sheet_Hidden", "(NoPrint)", {"{($Val)}secret"}));
    std::string pairs = "{($Head)}Key";
    std::string values = "{($Head)}Row";
    for (int pair = 0; pair < 8; ++pair) {
        pairs += "|{($Head)}Heading over two columns " + std::to_string(pair) + "|{+($Head)}";
        values += "|{($Val)}first value of the pair|{($Val)}second value of the pair";
    }
    add(sheetKeys("GI_Sheet_Joined", "(FixedCols=1)(FixedRows=1)", {pairs, values}));
    add(sheetKeys("GI_Sheet_Huge", "(FixedRows=1)",
                  {"{($Head)}Text", "{($Val)}" + std::string(400, 'M')}));
    add(sheetKeys("GI_Sheet_Common_CEdit", "(FixedRows=1)(TitleString=Handheld)",
                  {"{($Head)}Code|{($Head)}Character", "{($Head)}16|{($Val)(%Flex0[0])}WW"}));
    add(sheetKeys("GI_Sheet_Common_CEdit_Mob", "(FixedRows=1)(TitleString=Mobile)",
                  {"{($Head)}Code|{($Head)}Character", "{($Head)}16|{($Val)(%Flex0[1])}WW"}));
    add(sheetKeys("GI_Sheet_Names", "(FixedRows=1)(TitleString=Names)",
                  {"{($Head)}No.|{($Head)}Name", "{($Head)}1|{($Val)(%Flex0[2])}WW"}));
    return lines;
}

class PrinterFixture : public testing::Test
{
protected:
    static void SetUpTestSuite() { openSheetFixture(); }

    PrinterFixture() : texts(printerTestLines())
    {
        environment().printerFontSize = 10;
        owner.resize(400, 300);
        owner.show();
        printer = std::make_unique<cuiPrinter>(
            &owner, texts.texts(), [this](QWidget *container, const std::string &callText) {
                auto sheet =
                    std::make_unique<cuiSheet>(container, nullptr, 0, 0, texts.texts(), callText);
                sheet->SetHandler(&FakeCellHandler::Handle, nullptr);
                ++sheetsMade;
                return sheet;
            });
        cuiPrinter::Hooks hooks;
        hooks.hasPrinter = [this] { return hasPrinter; };
        hooks.setUp = [this](QPrinter &, QWidget *) {
            ++setUps;
            return setUpAnswer;
        };
        hooks.runPreview = [this](cuiPreview &preview) {
            previewPages = preview.RecordedPages();
            if (inPreview)
                inPreview(preview);
            return previewAnswer;
        };
        hooks.makePrinter = [this] {
            auto made = std::make_unique<QPrinter>(QPrinter::HighResolution);
            made->setOutputFormat(QPrinter::PdfFormat);
            made->setOutputFileName(pdfPath());
            return made;
        };
        printer->SetHooks(hooks);
    }
    ~PrinterFixture() override { environment().printerFontSize = 10; }

    // A sheet as the main window shows it: the print command's target.
    cuiSheet &target(const std::string &callText)
    {
        shown = std::make_unique<cuiSheet>(&owner, nullptr, 0, 0, texts.texts(), callText);
        shown->SetHandler(&FakeCellHandler::Handle, nullptr);
        shown->Show();
        return *shown;
    }

    QString pdfPath() const { return folder.filePath("out.pdf"); }
    bool pdfWritten() const { return QFile::exists(pdfPath()); }
    // Every page object of the file; the page tree's own entry ("/Pages")
    // does not count.
    int pdfPages() const
    {
        QFile file(pdfPath());
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QString text = QString::fromLatin1(file.readAll());
        return static_cast<int>(
            text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s])"))));
    }

    // Pages the preview counts for one sheet.
    int pagesOf(const std::string &callText)
    {
        previewAnswer = false;
        printer->Print(false, &target(callText), callText);
        previewAnswer = true;
        return previewPages;
    }

    QTemporaryDir folder;
    FakeCellHandler handler;
    InlineTexts texts;
    QWidget owner;
    std::unique_ptr<cuiSheet> shown;
    std::unique_ptr<cuiPrinter> printer;
    bool hasPrinter = true;
    bool setUpAnswer = true;
    bool previewAnswer = true;
    std::function<void(cuiPreview &)> inPreview;
    int setUps = 0;
    int previewPages = -1;
    int sheetsMade = 0;
};
