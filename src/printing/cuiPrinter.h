#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QImage;
class QPainter;
class QPrinter;
class QPushButton;
class QWidget;
class cmcGTex;
class cmcTask;
class cuiImageList;
class cuiPreview;
class cuiSheet;
struct dst_Preview;

// Prints sheets the way they look on screen. Each sheet is built again on
// the printer at the printer font size, split into pages of whole columns
// and rows between the page frame's header and footer (the fixed columns
// and rows repeat on every page), and shown in the preview, where the user
// confirms. "Print all" goes one sheet per tick of its task, so that the
// window stays responsive and the printing dialog's cancel button works.
// While a sheet is laid out, printed or drawn into the preview, the print
// mode (PrintMode) tells its cells what the sheet asks of them on paper.
class cuiPrinter : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTickMs = 50;
    static constexpr int kRescaleAttempts = 3;

    // The main frame's sheet factory: the sheet of a call text, its panels
    // in `container`.
    using SheetMaker =
        std::function<std::unique_ptr<cuiSheet>(QWidget *container, const std::string &callText)>;

    // What asks the system or the user; tests answer instead.
    struct Hooks {
        // Whether anything can be printed to.
        std::function<bool()> hasPrinter;
        // The system print dialog; false when cancelled.
        std::function<bool(QPrinter &printer, QWidget *owner)> setUp;
        // Runs the preview; true when the user chose to print.
        std::function<bool(cuiPreview &preview)> runPreview;
        // The printer of one print command.
        std::function<std::unique_ptr<QPrinter>()> makePrinter;
    };

    cuiPrinter(QWidget *owner, cmcGTex &texts, SheetMaker maker,
               const cuiImageList *previewImages = nullptr);
    ~cuiPrinter() override;

    void SetHooks(Hooks hooks);

    // The sheets "print all" prints, by call text.
    void ClearSheetList() { sheetList_.clear(); }
    void AddSheet(const std::string &callText) { sheetList_.push_back(callText); }
    const std::vector<std::string> &SheetList() const { return sheetList_; }

    // all = false prints `target` (shown from `targetCallText`), all = true
    // the sheet list.
    void Print(bool all, cuiSheet *target, const std::string &targetCallText);
    // Lays out one sheet and, unless only measuring, prints its pages (or
    // records them in the preview); returns the number of pages.
    int PrintOneSheet(const std::string &callText, const QRect &margins, bool measureOnly,
                      cuiPreview *preview);
    // One step of "print all": the next sheet of the list.
    void BatchTick();

    bool BatchRunning() const { return batchRunning_; }
    int BatchIndex() const { return batchIndex_; }
    // The printing dialog's cancel button.
    void Cancel() { cancel_ = true; }
    bool Cancelled() const { return cancel_; }
    QDialog *PrintingDialog() const { return dialog_.get(); }
    QPushButton *CancelButton() const { return cancelButton_; }
    // Pages sent to the printer since this object was made.
    int PagesPrinted() const { return pagesPrinted_; }
    // The page's printable area in printer pixels.
    QRect Margins(QPrinter &printer) const;

private:
    static void onTick(void *context, cmcTask *task);
    bool askPrinter();
    void buildPrintingDialog();
    void finish();
    bool beginDocument();
    void endDocument();
    void layOutIntoPreview(cuiPreview &preview, const std::vector<std::string> &sheets);
    void renderPreviewPage(const dst_Preview &page, QImage &bitmap);
    std::unique_ptr<cuiSheet> makeSheet(QWidget &form, const std::string &callText);
    bool targetRefuses() const;

    QWidget *owner_;
    cmcGTex &texts_;
    SheetMaker maker_;
    const cuiImageList *previewImages_;
    Hooks hooks_;
    cmcTask *task_ = nullptr;

    bool pageStarted_ = false;
    bool cancel_ = false;
    bool batchRunning_ = false;
    // A page of the batch lets events through; a tick arriving then waits.
    bool inBatchTick_ = false;
    int batchIndex_ = 0;
    QRect margins_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QDialog> dialog_;
    QPushButton *cancelButton_ = nullptr;
    QPointer<cuiSheet> target_;
    bool printingTarget_ = false;
    std::vector<std::string> sheetList_;
    int pagesPrinted_ = 0;
};
