#pragma once

#include "windows/CellWindow.h"

#include <QPointer>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QPushButton;
class cmcGTex;
class cuiImageList;
class cuiToolBar;

// The character editor: a user character of the display drawn dot by dot on
// a grid of squares, with a preview at the display's size. The left button
// draws and the right button erases with the chosen tool: the pen sets or
// clears single dots, the rectangle adds or removes a filled rectangle and
// the shift tool moves the whole character, wrapping round at the edges;
// rectangle and shift show their result while the button is held. OK (or
// Enter) answers the opening cell with the dots, Cancel (Escape, the close
// box, the cell's grid going away) leaves the glyph alone. While the editor
// is open the main window takes no input. It frees itself once it closes.
//
// The answer reaches the opening cell through its handler as a list's
// answer does (CodecOpen::Window::CellEditor in cells/CellCodec.h): the
// dots as '0'/'1', row by row from the top-left.
class cuiCEdit : public CellWindow
{
    Q_OBJECT

public:
    enum Tool : std::int32_t { kPen, kRectangle, kShift };
    // How the tool's dots combine with the dots before the drag: added,
    // taken away, or shown instead of them.
    enum OverlayMode : std::int32_t { kAdd, kRemove, kReplace };
    // Pictures of the tool bar's buttons, the tool bar's image list.
    static constexpr std::int32_t kClearImage = 0;
    static constexpr std::int32_t kPenImage = 10;
    static constexpr std::int32_t kRectangleImage = 11;
    static constexpr std::int32_t kShiftImage = 12;
    static constexpr int kSmallestDot = 14;
    static constexpr int kButtonWidth = 84;
    static constexpr int kPreviewDot = 4;
    static constexpr int kLargestGrid = 64;

    // The window for the cell of `opening`: `dots` ('0'/'1' row by row; a
    // short text is padded with clear dots) on a grid of `columns` x `rows`
    // squares of `dotSize` pixels, the tool bar's pictures from `images`.
    // Null when the capsule names no owner control or the grid is empty or
    // absurdly large.
    static cuiCEdit *Open(const cmcCellCapsule &opening, cmcGTex &texts, const cuiImageList *images,
                          int dotSize, int columns, int rows, const std::string &dots);
    // The dot size for a display zoom (percent): 14 pixels at 100 %, never
    // less.
    static int DotSizeFor(int zoomPercent);
    ~cuiCEdit() override;
    cuiCEdit(const cuiCEdit &) = delete;
    cuiCEdit &operator=(const cuiCEdit &) = delete;

    // The dots as shown, '0'/'1' row by row.
    std::string Dots() const;
    bool DotShown(int column, int row) const;
    // Whether a dot belongs to the character's box (the part the radio's
    // characters normally use).
    bool InCharacterBox(int column, int row) const;
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    int DotSize() const { return dotSize_; }
    Tool CurrentTool() const { return tool_; }
    OverlayMode CurrentOverlayMode() const { return mode_; }
    // The square of a dot in the grid box.
    QRect DotRect(int column, int row) const;

    QWidget *GridBox() const { return grid_; }
    QWidget *PreviewBox() const { return preview_; }
    cuiToolBar *ToolBar() const { return toolBar_.get(); }
    QPushButton *OkButton() const { return ok_; }
    QPushButton *CancelButton() const { return cancel_; }
    // The main window, kept disabled while the editor is open.
    QWidget *MainWindow() const { return mainWindow_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // The dots as they stand.
    void Deliver() override;

private:
    cuiCEdit(const cmcCellCapsule &opening, cmcGTex &texts, int dotSize, int columns, int rows,
             const std::string &dots);
    void build(const cmcCellCapsule &opening, const cuiImageList *images);

    std::size_t at(int column, int row) const;
    // The dot under a point of the grid box; false outside the grid.
    bool dotAt(QPoint point, int &column, int &row) const;
    void buttonDown(Qt::MouseButton button, QPoint point);
    void pointerMoved(QPoint point);
    void buttonUp(Qt::MouseButton button);
    void commit();
    void showDots();
    void clearAll();
    void chooseTool(std::int32_t imageIndex);

    void paintGrid(const QRect &region);
    void paintPreview();

    static std::int32_t toolState(indActiveCell *context, cmcCellCapsule &capsule,
                                  std::int32_t mode);
    static void toolClicked(void *context, const cmcCellObj &buttonCell);

    cmcGTex &texts_;
    const int dotSize_;
    const int columns_;
    const int rows_;
    // As shown; before the drag; the tool's dots during it.
    std::vector<std::uint8_t> picture_;
    std::vector<std::uint8_t> base_;
    std::vector<std::uint8_t> overlay_;
    OverlayMode mode_ = kAdd;
    Tool tool_ = kPen;
    bool leftDown_ = false;
    bool rightDown_ = false;
    int startColumn_ = 0;
    int startRow_ = 0;

    QPointer<QWidget> mainWindow_;
    QWidget *grid_ = nullptr;
    QWidget *preview_ = nullptr;
    QPushButton *ok_ = nullptr;
    QPushButton *cancel_ = nullptr;
    std::unique_ptr<cuiToolBar> toolBar_;
};
