#include "printing/cuiPrinter.h"

#include "cells/DescriptionText.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/PrintMode.h"
#include "cells/cmcEvMan.h"
#include "platform/MessageService.h"
#include "platform/cmcTask.h"
#include "printing/PageFrame.h"
#include "printing/PageTiling.h"
#include "printing/PrintMargins.h"
#include "printing/cuiPreview.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/SheetDescriptor.h"
#include "sheets/SheetFonts.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <algorithm>
#include <set>
#include <string_view>

namespace {

constexpr int kDefaultFrameFontSize = 9;
// The hidden form a printed sheet lays its panels out in.
const QSize kHiddenFormSize(800, 600);

// The user character sheets print their glyphs in the font of the radio
// they are for, the handheld's small one or the mobile's large one.
struct GlyphSheet {
    std::string_view prefix;
    PrintMode::Mode mode;
};
constexpr GlyphSheet kGlyphSheets[] = {
    {"GI_Sheet_Common_CEdit", PrintMode::kSmallGlyphs},
    {"GI_Sheet_Common_CEdit_Mob", PrintMode::kLargeGlyphs},
};

// The tree opens a sheet with its class in front ("[St_Common]..."); the
// layout's key prefix names the sheet either way.
PrintMode::Mode printModeOf(const std::string &callText)
{
    const std::string prefix = SheetDescriptor::Parse(callText).prefix;
    for (const GlyphSheet &sheet : kGlyphSheets) {
        if (prefix == sheet.prefix)
            return sheet.mode;
    }
    return PrintMode::kScreen;
}

int printerFontSize()
{
    const int size = environment().printerFontSize;
    return size > 0 ? std::clamp(size, cuiPreview::kMinFontSize, cuiPreview::kMaxFontSize) : 10;
}

// A font height in pixels (negative, as the cell fonts write it) of the
// printer font size on a device of that vertical resolution.
int fontHeightFor(double dotsPerInch)
{
    return -std::max(static_cast<int>(printerFontSize() * dotsPerInch / 72.0), 1);
}

bool defaultHasPrinter()
{
    // Qt's own print dialog on this platform always offers printing to a
    // PDF file, so there is something to print to even without a queue.
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return true;
#else
    return !QPrinterInfo::availablePrinters().isEmpty();
#endif
}

bool defaultSetUp(QPrinter &printer, QWidget *owner)
{
    QPrintDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
}

// The columns that must not end a page: the next column's header cell is
// joined to them ("+" joins a cell to its left neighbour), and a joined
// heading split over two pages would lose its text on the second.
std::vector<bool> keptWithNext(const cuiSheet &sheet)
{
    const int headerRows = std::max(sheet.FixedRows(), 1);
    std::vector<bool> keep(static_cast<std::size_t>(sheet.ColCount()), false);
    for (int col = 0; col + 1 < sheet.ColCount(); ++col) {
        for (int row = 0; row < headerRows && row < sheet.SlotRows(); ++row) {
            if (sheet.CellAt(col + 1, row).Joined())
                keep[static_cast<std::size_t>(col)] = true;
        }
    }
    return keep;
}

std::vector<int> steps(const GridAxis &axis)
{
    std::vector<int> result;
    for (int i = 0; i < axis.count(); ++i)
        result.push_back(axis.extent(i) + axis.lineWidth());
    return result;
}

} // namespace

cuiPrinter::cuiPrinter(QWidget *owner, cmcGTex &texts, SheetMaker maker,
                       const cuiImageList *previewImages)
    : owner_(owner), texts_(texts), maker_(std::move(maker)), previewImages_(previewImages)
{
    SetHooks({});
    task_ = new cmcTask;
    task_->Bind(&cuiPrinter::onTick, this);
    task_->SetPeriod(kTickMs);
}

cuiPrinter::~cuiPrinter()
{
    cmcTask::dispose(task_);
    if (painter_ != nullptr && painter_->isActive())
        painter_->end();
}

void cuiPrinter::SetHooks(Hooks hooks)
{
    hooks_ = std::move(hooks);
    if (!hooks_.hasPrinter)
        hooks_.hasPrinter = defaultHasPrinter;
    if (!hooks_.setUp)
        hooks_.setUp = defaultSetUp;
    if (!hooks_.runPreview)
        hooks_.runPreview = [](cuiPreview &preview) { return preview.Run(); };
    if (!hooks_.makePrinter)
        hooks_.makePrinter = [] { return std::make_unique<QPrinter>(QPrinter::HighResolution); };
}

void cuiPrinter::onTick(void *context, cmcTask *)
{
    static_cast<cuiPrinter *>(context)->BatchTick();
}

QRect cuiPrinter::Margins(QPrinter &printer) const
{
    const QSize page(printer.width(), printer.height());
    const PrintMargins margins = PrintMargins::Parse(texts_.GetLine("GI_Sys_Printer_Margins", 0));
    const QRect area = margins.ToPixels(page, printer.logicalDpiY());
    // Margins that leave no room print on the whole page rather than nothing.
    return area.width() > 0 && area.height() > 0 ? area : QRect(QPoint(), page);
}

void cuiPrinter::Print(bool all, cuiSheet *target, const std::string &targetCallText)
{
    if (batchRunning_ || printer_ != nullptr)
        return;
    eventManager().Send(kEvFinishEdits);
    const std::vector<std::string> sheets =
        all ? sheetList_ : std::vector<std::string>{targetCallText};
    if ((!all && target == nullptr) || sheets.empty())
        return;
    if (!askPrinter())
        return;
    owner_->setEnabled(false);
    buildPrintingDialog();
    cancel_ = false;
    printer_->setCopyCount(1);
    margins_ = Margins(*printer_);

    bool chosen = false;
    {
        cuiPreview preview(owner_, appTitle(), previewImages_);
        // The owner is disabled for the whole command; its preview is not.
        preview.setEnabled(true);
        preview.SetRenderer(
            [this](const dst_Preview &page, QImage &bitmap) { renderPreviewPage(page, bitmap); });
        preview.SetRelayout([this, sheets](cuiPreview &p) { layOutIntoPreview(p, sheets); });
        layOutIntoPreview(preview, sheets);
        chosen = hooks_.runPreview(preview);
    }
    if (!chosen) {
        finish();
        return;
    }
    if (all) {
        dialog_->show();
        batchIndex_ = 0;
        batchRunning_ = true;
        return;
    }
    target_ = target;
    if (target->AgreesToPrint()) {
        dialog_->show();
        if (beginDocument()) {
            printingTarget_ = true;
            PrintOneSheet(targetCallText, margins_, false, nullptr);
            printingTarget_ = false;
            endDocument();
        }
    }
    target_ = nullptr;
    finish();
}

bool cuiPrinter::askPrinter()
{
    if (!hooks_.hasPrinter()) {
        platform::showMessage(appTitle(), texts_.GetText("GI_Sys_Printer_NoPrinter"),
                              platform::MessageIcon::Error);
        return false;
    }
    printer_ = hooks_.makePrinter();
    if (printer_ == nullptr)
        return false;
    // Margins are measured from the paper's edges.
    printer_->setFullPage(true);
    if (!hooks_.setUp(*printer_, owner_)) {
        printer_.reset();
        return false;
    }
    return true;
}

void cuiPrinter::buildPrintingDialog()
{
    dialog_ = std::make_unique<QDialog>(nullptr,
                                        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog_->setWindowTitle(
        QString::fromStdString(texts_.GetLine("GI_Sys_Printer_PrintingDialog", 0)));
    auto *label = new QLabel(
        QString::fromStdString(texts_.GetLine("GI_Sys_Printer_PrintingDialog", 1)), dialog_.get());
    label->adjustSize();
    cancelButton_ = new QPushButton(
        QString::fromStdString(texts_.GetLine("GI_Sys_Printer_PrintingDialog", 2)), dialog_.get());
    cancelButton_->setDefault(true);
    const int buttonWidth = static_cast<int>(label->width() * 1.2);
    const int buttonHeight = cancelButton_->sizeHint().height();
    cancelButton_->resize(buttonWidth, buttonHeight);
    const int width = std::max(label->width() * 2, buttonWidth + 16);
    const int height = 3 * (label->height() + buttonHeight);
    dialog_->setFixedSize(width, height);
    label->move((width - label->width()) / 2, label->height() * 2);
    cancelButton_->move((width - buttonWidth) / 2,
                        height - buttonHeight - static_cast<int>(buttonHeight * 1.5));
    connect(cancelButton_, &QPushButton::clicked, this, &cuiPrinter::Cancel);
    if (owner_ != nullptr) {
        QRect frame(QPoint(), dialog_->size());
        frame.moveCenter(owner_->frameGeometry().center());
        dialog_->move(frame.topLeft());
    }
}

void cuiPrinter::finish()
{
    owner_->setEnabled(true);
    owner_->activateWindow();
    owner_->setFocus();
    cancelButton_ = nullptr;
    dialog_.reset();
    printer_.reset();
}

bool cuiPrinter::beginDocument()
{
    painter_ = std::make_unique<QPainter>();
    pageStarted_ = false;
    if (painter_->begin(printer_.get()))
        return true;
    painter_.reset();
    platform::showMessage(appTitle(), texts_.GetText("GI_Sys_Printer_Failed"),
                          platform::MessageIcon::Error);
    return false;
}

void cuiPrinter::endDocument()
{
    if (painter_ != nullptr)
        painter_->end();
    painter_.reset();
}

void cuiPrinter::BatchTick()
{
    if (!batchRunning_ || inBatchTick_)
        return;
    inBatchTick_ = true;
    const int count = static_cast<int>(sheetList_.size());
    const bool stop = cancel_ || batchIndex_ >= count ||
                      (batchIndex_ == 0 && painter_ == nullptr && !beginDocument());
    if (!stop)
        PrintOneSheet(sheetList_[static_cast<std::size_t>(batchIndex_++)], margins_, false,
                      nullptr);
    inBatchTick_ = false;
    if (!stop && batchIndex_ < count && !cancel_)
        return;
    endDocument();
    batchRunning_ = false;
    batchIndex_ = 0;
    sheetList_.clear();
    finish();
}

std::unique_ptr<cuiSheet> cuiPrinter::makeSheet(QWidget &form, const std::string &callText)
{
    form.resize(kHiddenFormSize);
    return maker_ ? maker_(&form, callText) : nullptr;
}

bool cuiPrinter::targetRefuses() const
{
    if (!printingTarget_)
        return false;
    cuiSheet *target = target_.data();
    return target == nullptr || !target->AgreesToPrint();
}

int cuiPrinter::PrintOneSheet(const std::string &callText, const QRect &margins, bool measureOnly,
                              cuiPreview *preview)
{
    if (printer_ == nullptr)
        return 0;
    QPrinter &printer = *printer_;
    const PrintMode::Scope mode(printModeOf(callText));
    QWidget form;
    std::unique_ptr<cuiSheet> sheet = makeSheet(form, callText);
    if (sheet == nullptr)
        return 0;
    const double dotsPerInch = printer.logicalDpiY();
    int fontHeight = fontHeightFor(dotsPerInch);
    sheet->SetPrinter(&printer);
    sheet->SetFontHeightOverride(fontHeight);
    sheet->Show();
    // "Print all" goes through every sheet of the tree; those that are not
    // for paper (the clone information, an empty bank) give no pages.
    if (sheet->Grid() == nullptr || !sheet->CanPrint())
        return 0;

    const int frameSize = readDecimal(texts_.GetLine("GI_Sys_Printer_FrameFont", 0));
    const PageFrame frame(SheetFonts::ToQFont(sheet->FontOf(sheet->BaseCell())),
                          frameSize > 0 ? frameSize : kDefaultFrameFontSize, dotsPerInch);
    const QRect inner = frame.Inner(margins);
    const PageFrame::Texts frameTexts{sheet->TitleText(), texts_.GetLine("GI_Sys_AppTitleRev", 0),
                                      texts_.GetLine("GI_Sys_Maker", 0)};

    const GridGeometry &geometry = sheet->Grid()->geometry();
    const auto tiles = PageTiling::Tiles(
        PageTiling::ColumnGroups(steps(geometry.cols()), sheet->FixedCols(), keptWithNext(*sheet),
                                 inner.width()),
        PageTiling::RowGroups(steps(geometry.rows()), sheet->FixedRows(), inner.height()));

    int pages = 0;
    for (const PageTiling::Tile &tile : tiles) {
        if (cancel_)
            break;
        QSize size = sheet->Grid()->tileSize(tile.cols.first, tile.cols.count, tile.rows.first,
                                             tile.rows.count);
        for (int attempt = 0; attempt < kRescaleAttempts &&
                              (size.width() > inner.width() || size.height() > inner.height());
             ++attempt) {
            const double ratio =
                std::min(static_cast<double>(inner.height()) / std::max(size.height(), 1),
                         static_cast<double>(inner.width()) / std::max(size.width(), 1));
            fontHeight = std::min(static_cast<int>(fontHeight * ratio), -1);
            sheet->SetFontHeightOverride(fontHeight);
            sheet->Show();
            size = sheet->Grid()->tileSize(tile.cols.first, tile.cols.count, tile.rows.first,
                                           tile.rows.count);
        }
        if (targetRefuses() || cancel_)
            break;
        if (!measureOnly && preview != nullptr) {
            preview->RecordPage(printer, callText, margins, tile.cols.first, tile.rows.first,
                                tile.cols.count, tile.rows.count, QRect(inner.topLeft(), size));
            preview->CountPage();
        } else if (!measureOnly && painter_ != nullptr) {
            if (pageStarted_)
                printer.newPage();
            frame.Draw(*painter_, margins, frameTexts);
            sheet->Grid()->paintTile(*painter_, inner.topLeft(), tile.cols.first, tile.cols.count,
                                     tile.rows.first, tile.rows.count);
            pageStarted_ = true;
            ++pagesPrinted_;
            // The printing dialog's cancel button gets its chance.
            QApplication::processEvents();
        }
        ++pages;
    }
    return pages;
}

void cuiPrinter::layOutIntoPreview(cuiPreview &preview, const std::vector<std::string> &sheets)
{
    int pages = 0;
    for (const std::string &callText : sheets)
        pages += PrintOneSheet(callText, margins_, true, nullptr);
    preview.Prepare(*printer_, pages);
    for (const std::string &callText : sheets)
        PrintOneSheet(callText, margins_, false, &preview);
}

void cuiPrinter::renderPreviewPage(const dst_Preview &page, QImage &bitmap)
{
    const PrintMode::Scope mode(printModeOf(page.callText));
    QWidget form;
    std::unique_ptr<cuiSheet> sheet = makeSheet(form, page.callText);
    if (sheet == nullptr || printer_ == nullptr)
        return;
    const double dotsPerInch = bitmap.logicalDpiY();
    sheet->SetPrinterAndPreview(printer_.get(), &bitmap);
    sheet->SetFontHeightOverride(fontHeightFor(dotsPerInch));
    sheet->Show();
    if (sheet->Grid() == nullptr)
        return;

    QPainter painter(&bitmap);
    const int frameSize = readDecimal(texts_.GetLine("GI_Sys_Printer_FrameFont", 0));
    const PageFrame frame(SheetFonts::ToQFont(sheet->FontOf(sheet->BaseCell())),
                          frameSize > 0 ? frameSize : kDefaultFrameFontSize, dotsPerInch);
    frame.Draw(painter, page.margins,
               {sheet->TitleText(), texts_.GetLine("GI_Sys_AppTitleRev", 0),
                texts_.GetLine("GI_Sys_Maker", 0)});

    // The screen's fonts are not the printer's scaled down: the tile's
    // scrolling columns and rows take up the difference, so the page looks
    // as it will print.
    cuiGrid &grid = *sheet->Grid();
    const QSize size = grid.tileSize(page.firstCol, page.colCount, page.firstRow, page.rowCount);
    const auto spreadOver = [](int first, int count, int difference, bool proportional,
                               auto extentOf, auto setExtent) {
        std::vector<int> extents;
        for (int i = first; i < first + count; ++i)
            extents.push_back(extentOf(i));
        extents = PageTiling::Spread(std::move(extents), difference, proportional);
        for (int i = 0; i < count; ++i)
            setExtent(first + i, extents[static_cast<std::size_t>(i)]);
    };
    spreadOver(
        page.firstCol, page.colCount, page.tile.width() - size.width(), true,
        [&](int col) { return grid.colWidth(col); },
        [&](int col, int width) { grid.setColWidth(col, width); });
    spreadOver(
        page.firstRow, page.rowCount, page.tile.height() - size.height(), false,
        [&](int row) { return grid.rowHeight(row); },
        [&](int row, int height) { grid.setRowHeight(row, height); });
    grid.paintTile(painter, page.tile.topLeft(), page.firstCol, page.colCount, page.firstRow,
                   page.rowCount);
}
