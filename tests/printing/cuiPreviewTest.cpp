#include "PrinterFixture.h"
#include "support/ImagePixels.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QStyle>

namespace {

using testing_support::darkPixels;

// The preview as the print command hands it to the user: the test looks at
// it and works it from inside the command, then declines to print.
class Preview : public PrinterFixture
{
protected:
    void inspect(const std::string &sheet, std::function<void(cuiPreview &)> look)
    {
        previewAnswer = false;
        inPreview = [look](cuiPreview &preview) {
            preview.ShowFirstPage();
            look(preview);
        };
        printer->Print(false, &target(sheet), sheet);
    }
    static void press(cuiPreview &preview, int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&preview, &event);
    }
};

TEST_F(Preview, OnePageLeavesNoWayToPage)
{
    inspect("GI_Sheet_Small", [](cuiPreview &preview) {
        for (QAction *action : {preview.TopAction(), preview.PreviousAction(), preview.NextAction(),
                                preview.LastAction()})
            EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
        EXPECT_EQ(preview.PageCountLabel()->text(), " / 1");
        EXPECT_EQ(preview.StatusPageLabel()->text(), " 1 / 1");
        EXPECT_EQ(preview.PageEdit()->text(), "1");
    });
}

// Unzoomed the page fills the window's width and scrolls down; zoomed it is
// at its real size.
TEST_F(Preview, OpensFittedToTheWindowsWidth)
{
    inspect("GI_Sheet_Small", [](cuiPreview &preview) {
        preview.resize(900, 600);
        preview.show();
        QApplication::processEvents();
        const QPixmap page = preview.PageImage()->pixmap();
        const QScrollArea *scroll = preview.findChild<QScrollArea *>();
        ASSERT_NE(scroll, nullptr);
        const int scrollBar = scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        EXPECT_LE(page.width(), scroll->width());
        EXPECT_GE(page.width(), scroll->width() - scrollBar);
        EXPECT_GT(page.height(), scroll->height()) << "a portrait page is taller than wide";
        preview.SetZoom(true);
        EXPECT_EQ(preview.PageImage()->pixmap().size(), preview.PageBitmap().size());
        preview.SetZoom(false);
        EXPECT_EQ(preview.PageImage()->pixmap().width(), page.width());
        preview.hide();
    });
}

TEST_F(Preview, PagingStaysWithinThePages)
{
    inspect("GI_Sheet_Tall", [](cuiPreview &preview) {
        const int last = preview.LastPage();
        ASSERT_GE(last, 2);
        press(preview, Qt::Key_PageDown);
        EXPECT_EQ(preview.CurrentPage(), 1);
        EXPECT_TRUE(preview.TopAction()->isEnabled());
        press(preview, Qt::Key_Up);
        EXPECT_EQ(preview.CurrentPage(), 0) << "Up pages while not zoomed";
        press(preview, Qt::Key_PageUp);
        EXPECT_EQ(preview.CurrentPage(), 0);
        preview.LastAction()->trigger();
        EXPECT_EQ(preview.CurrentPage(), last);
        EXPECT_FALSE(preview.NextAction()->isEnabled());
        EXPECT_EQ(preview.StatusPageLabel()->text(), QString(" %1 / %1").arg(last + 1));
        preview.PageEdit()->setText("99");
        press(preview, Qt::Key_Return);
        EXPECT_EQ(preview.CurrentPage(), last) << "a number beyond the pages shows the last";
        preview.PageEdit()->setText(" 2 ");
        preview.GoToEnteredPage();
        EXPECT_EQ(preview.CurrentPage(), 1);
        preview.PageEdit()->setText("0");
        preview.GoToEnteredPage();
        EXPECT_EQ(preview.CurrentPage(), 0);
    });
}

TEST_F(Preview, ThePageEditTakesOnlyPageNumberCharacters)
{
    inspect("GI_Sheet_Small", [](cuiPreview &preview) {
        preview.PageEdit()->clear();
        for (const QString &typed : {QString("7"), QString("x"), QString("!")}) {
            QKeyEvent event(QEvent::KeyPress, 0, Qt::NoModifier, typed);
            QApplication::sendEvent(preview.PageEdit(), &event);
        }
        EXPECT_EQ(preview.PageEdit()->text(), "7!");
    });
}

TEST_F(Preview, ThePageShowsTheFrameAndTheCells)
{
    inspect("GI_Sheet_Small", [this](cuiPreview &preview) {
        ASSERT_EQ(preview.RecordedPages(), 1);
        const dst_Preview &page = preview.Pages()[0];
        const QImage &bitmap = preview.PageBitmap();
        ASSERT_FALSE(bitmap.isNull());
        EXPECT_TRUE(QRect(QPoint(), bitmap.size()).contains(page.margins));
        EXPECT_TRUE(page.margins.contains(page.tile));
        EXPECT_GT(darkPixels(bitmap, page.tile), 0) << "the heading cells are filled";
        const QRect header(page.margins.left(), page.margins.top(), page.margins.width(),
                           page.tile.top() - page.margins.top());
        EXPECT_GT(darkPixels(bitmap, header), page.margins.width()) << "the header bar";
        EXPECT_EQ(darkPixels(bitmap, QRect(1, 1, page.margins.left() - 2, 20)), 0)
            << "nothing in the left margin";
    });
}

TEST_F(Preview, ALargerFontSizeTakesMorePages)
{
    int smallFontPages = 0;
    int largeFontPages = 0;
    inspect("GI_Sheet_Tall", [&](cuiPreview &preview) {
        preview.ApplyFontSize(8);
        smallFontPages = preview.RecordedPages();
        EXPECT_EQ(preview.CurrentPage(), 0);
        preview.ApplyFontSize(12);
        largeFontPages = preview.RecordedPages();
        EXPECT_EQ(preview.LastPage(), largeFontPages - 1);
    });
    EXPECT_EQ(environment().printerFontSize, 12);
    EXPECT_GT(largeFontPages, smallFontPages);
}

TEST_F(Preview, ChoosingPrintClosesThePreviewAndPrints)
{
    inPreview = [](cuiPreview &preview) { preview.PrintAction()->trigger(); };
    printer->SetHooks({[] { return true; }, [](QPrinter &, QWidget *) { return true; },
                       [this](cuiPreview &preview) {
                           previewPages = preview.RecordedPages();
                           preview.PrintAction()->trigger();
                           return preview.PrintChosen();
                       },
                       [this] {
                           auto made = std::make_unique<QPrinter>(QPrinter::HighResolution);
                           made->setOutputFormat(QPrinter::PdfFormat);
                           made->setOutputFileName(pdfPath());
                           return made;
                       }});
    printer->Print(false, &target("GI_Sheet_Small"), "GI_Sheet_Small");
    EXPECT_EQ(pdfPages(), 1);
}

} // namespace
