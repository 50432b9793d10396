#pragma once

#include <QDialog>
#include <QImage>
#include <QRect>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QPrinter;
class QScrollArea;
class QToolButton;
class cuiImageList;

// One page the preview shows: the sheet, the margins and the tile's
// rectangle (both in screen pixels) and the columns and rows of the tile.
struct dst_Preview {
    std::string callText;
    QRect margins;
    QRect tile;
    int firstCol = 0;
    int firstRow = 0;
    int colCount = 0;
    int rowCount = 0;
};

// The print preview: the pages the print layout will print, one at a time
// as a picture of the page at screen resolution. The user pages through
// them, zooms to actual size, changes the printer font size, and confirms
// with "&Print". The print layout records the pages and draws each one
// through the renderer it installs.
class cuiPreview : public QDialog
{
    Q_OBJECT

public:
    using Renderer = std::function<void(const dst_Preview &page, QImage &bitmap)>;
    // Lays out every recorded sheet again (count, prepare, record).
    using Relayout = std::function<void(cuiPreview &preview)>;

    static constexpr int kMinFontSize = 8;
    static constexpr int kMaxFontSize = 12;

    cuiPreview(QWidget *owner, const std::string &caption, const cuiImageList *images);
    ~cuiPreview() override;

    void SetRenderer(Renderer renderer) { renderer_ = std::move(renderer); }
    void SetRelayout(Relayout relayout) { relayout_ = std::move(relayout); }

    // Room for `pages` pages and a bitmap of the printer's page at screen
    // resolution; the window grows to show it, within the screen.
    void Prepare(QPrinter &printer, int pages);
    // Fills the next page from printer pixels.
    void RecordPage(QPrinter &printer, const std::string &callText, const QRect &margins,
                    int firstCol, int firstRow, int colCount, int rowCount, const QRect &tile);
    void CountPage();
    // Shows the first page modally; true when the user chose "&Print".
    bool Run();
    // What Run shows first: the page count taken from the recorded pages,
    // page 0 on show.
    void ShowFirstPage();

    // --- what the user sees and does ---
    void ShowPage(int page);
    int CurrentPage() const { return current_; }
    int LastPage() const { return last_; }
    const std::vector<dst_Preview> &Pages() const { return pages_; }
    int RecordedPages() const { return recorded_; }
    const QImage &PageBitmap() const { return bitmap_; }
    bool PrintChosen() const { return printChosen_; }
    void ChoosePrint();
    // The setting dialog's OK: the printer font size (8 to 12), then every
    // sheet laid out again and the first page shown.
    void ApplyFontSize(int size);
    // Shows the page whose number is in the page number edit.
    void GoToEnteredPage();
    void SetZoom(bool actualSize);

    QAction *PrintAction() const { return printAction_; }
    QAction *SettingAction() const { return settingAction_; }
    QAction *TopAction() const { return topAction_; }
    QAction *PreviousAction() const { return previousAction_; }
    QAction *NextAction() const { return nextAction_; }
    QAction *LastAction() const { return lastAction_; }
    QAction *ZoomAction() const { return zoomAction_; }
    QLineEdit *PageEdit() const { return pageEdit_; }
    QLabel *PageCountLabel() const { return countLabel_; }
    QLabel *StatusPageLabel() const { return statusPage_; }
    // The page as it is on the screen.
    QLabel *PageImage() const { return image_; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildToolBar(const cuiImageList *images);
    void openSettingDialog();
    void refreshImage();
    void scrollBy(int dx, int dy);

    Renderer renderer_;
    Relayout relayout_;
    std::vector<dst_Preview> pages_;
    int recorded_ = 0;
    int last_ = 0;
    int current_ = 0;
    QImage bitmap_;
    bool printChosen_ = false;
    bool zoomed_ = false;

    QAction *printAction_ = nullptr;
    QAction *settingAction_ = nullptr;
    QAction *topAction_ = nullptr;
    QAction *previousAction_ = nullptr;
    QAction *nextAction_ = nullptr;
    QAction *lastAction_ = nullptr;
    QAction *zoomAction_ = nullptr;
    QLineEdit *pageEdit_ = nullptr;
    QLabel *countLabel_ = nullptr;
    QLabel *statusPage_ = nullptr;
    QScrollArea *scroll_ = nullptr;
    QLabel *image_ = nullptr;
};
