#include "windows/cuiCEdit.h"

#include "cells/cmcCellObj.h"
#include "platform/MessageService.h"
#include "sheets/cuiToolBar.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"
#include "windows/PopupPlacement.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr char kCaptionKey[] = "GI_AppInd_CharacterEditorCaption";
constexpr char kClearKey[] = "GI_AppMess_Confirm_CEdit_Clear";
constexpr char kToolBarKey[] = "GI_ToolBar_CEdit";
constexpr char kButtonsKey[] = "GI_AppInd_Button_OkCancel";
constexpr int kBorder = 5;
constexpr int kButtonGap = 4;
// The first dot's corner in the grid box; squares are one pixel apart.
constexpr int kGridInset = 2;
constexpr int kUnzoomed = 100;
constexpr int kToolPressed = 0;
const QColor kOutsideBox(128, 128, 128);

// The character box: the small font's characters use columns 0..4 of rows
// 1..7, the large font's columns 0..4 of rows 2 up to the fourth row from
// the bottom; the other dots are spacing.
constexpr int kSmallFontRows = 8;
constexpr int kBoxLastColumn = 4;
constexpr int kSmallBoxTop = 1;
constexpr int kLargeBoxTop = 2;
constexpr int kLargeBoxBottomMargin = 4;

int wrapped(int value, int size) { return ((value % size) + size) % size; }

} // namespace

cuiCEdit *cuiCEdit::Open(const cmcCellCapsule &opening, cmcGTex &texts, const cuiImageList *images,
                         int dotSize, int columns, int rows, const std::string &dots)
{
    if (qobject_cast<QWidget *>(opening.ownerControl) == nullptr || columns <= 0 || rows <= 0 ||
        columns > kLargestGrid || rows > kLargestGrid) {
        return nullptr;
    }
    auto *window = new cuiCEdit(opening, texts, std::max(dotSize, 1), columns, rows, dots);
    window->build(opening, images);
    return window;
}

int cuiCEdit::DotSizeFor(int zoomPercent)
{
    return std::max(kSmallestDot, kSmallestDot * zoomPercent / kUnzoomed);
}

cuiCEdit::cuiCEdit(const cmcCellCapsule &opening, cmcGTex &texts, int dotSize, int columns,
                   int rows, const std::string &dots)
    : CellWindow(opening, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint),
      texts_(texts), dotSize_(dotSize), columns_(columns), rows_(rows),
      picture_(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0)
{
    for (std::size_t k = 0; k < picture_.size() && k < dots.size(); ++k)
        picture_[k] = dots[k] == '1' ? 1 : 0;
    base_ = picture_;
    overlay_.assign(picture_.size(), 0);
}

// The tool bar's buttons live in this window, so it goes before the
// window's children; the main window takes input again.
cuiCEdit::~cuiCEdit()
{
    StopListening();
    toolBar_.reset();
    if (QWidget *main = mainWindow_.data()) {
        main->setEnabled(true);
        main->activateWindow();
    }
}

void cuiCEdit::build(const cmcCellCapsule &opening, const cuiImageList *images)
{
    if (std::string caption; texts_.TryGetLine(kCaptionKey, 0, caption))
        setWindowTitle(QString::fromStdString(caption));

    auto *windowLayout = new QHBoxLayout(this);
    windowLayout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    windowLayout->setSpacing(kBorder);

    grid_ = new QWidget(this);
    grid_->setFixedSize(columns_ * (dotSize_ + 1) + kGridInset + 1,
                        rows_ * (dotSize_ + 1) + kGridInset + 1);
    grid_->setAttribute(Qt::WA_OpaquePaintEvent);
    grid_->setMouseTracking(false);
    grid_->setContextMenuPolicy(Qt::PreventContextMenu);
    grid_->installEventFilter(this);
    windowLayout->addWidget(grid_, 0, Qt::AlignTop);

    auto *panel = new QWidget(this);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kBorder);
    toolBar_ =
        std::make_unique<cuiToolBar>(panel, texts_, kToolBarKey, images, &cuiCEdit::toolState);
    toolBar_->Build(cuiMenuClick{&cuiCEdit::toolClicked, this});
    toolBar_->RefreshStates();
    column->addWidget(toolBar_->Control());

    preview_ = new QWidget(panel);
    preview_->setMinimumSize(columns_ * kPreviewDot + 2 * kBorder,
                             rows_ * kPreviewDot + 2 * kBorder);
    preview_->installEventFilter(this);
    column->addWidget(preview_, 1);

    ok_ = new QPushButton(QString::fromStdString(texts_.GetLine(kButtonsKey, 0)), panel);
    cancel_ = new QPushButton(QString::fromStdString(texts_.GetLine(kButtonsKey, 1)), panel);
    ok_->setFixedWidth(kButtonWidth);
    cancel_->setFixedWidth(kButtonWidth);
    ok_->setDefault(true);
    column->addWidget(ok_, 0, Qt::AlignRight);
    column->addSpacing(kButtonGap - column->spacing());
    column->addWidget(cancel_, 0, Qt::AlignRight);
    windowLayout->addWidget(panel);
    windowLayout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok_, &QPushButton::clicked, this, &cuiCEdit::Deliver);
    connect(cancel_, &QPushButton::clicked, this, &cuiCEdit::Cancel);

    // A disabled main window disables its windows too; this one alone takes
    // input.
    if (QWidget *owner = Owner())
        mainWindow_ = owner->window();
    if (mainWindow_ != nullptr && mainWindow_ != this)
        mainWindow_->setEnabled(false);
    setEnabled(true);

    show();
    layout()->activate();
    popup_placement::place(opening, *this);
    activateWindow();
    grid_->setFocus(Qt::PopupFocusReason);
    StartListening();
}

std::size_t cuiCEdit::at(int column, int row) const
{
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
           static_cast<std::size_t>(column);
}

std::string cuiCEdit::Dots() const
{
    std::string dots;
    dots.reserve(picture_.size());
    for (const std::uint8_t dot : picture_)
        dots += dot != 0 ? '1' : '0';
    return dots;
}

bool cuiCEdit::DotShown(int column, int row) const
{
    if (column < 0 || row < 0 || column >= columns_ || row >= rows_)
        return false;
    return picture_[at(column, row)] != 0;
}

bool cuiCEdit::InCharacterBox(int column, int row) const
{
    if (column < 0 || column > kBoxLastColumn)
        return false;
    if (rows_ <= kSmallFontRows)
        return row >= kSmallBoxTop && row < rows_;
    return row >= kLargeBoxTop && row <= rows_ - kLargeBoxBottomMargin;
}

QRect cuiCEdit::DotRect(int column, int row) const
{
    return {kGridInset + column * (dotSize_ + 1), kGridInset + row * (dotSize_ + 1), dotSize_,
            dotSize_};
}

bool cuiCEdit::dotAt(QPoint point, int &column, int &row) const
{
    const int x = point.x() - kGridInset;
    const int y = point.y() - kGridInset;
    if (x < 0 || y < 0)
        return false;
    column = x / (dotSize_ + 1);
    row = y / (dotSize_ + 1);
    return column < columns_ && row < rows_;
}

// Whatever the last drag left becomes the dots the next one starts from.
void cuiCEdit::commit()
{
    base_ = picture_;
    std::fill(overlay_.begin(), overlay_.end(), 0);
}

void cuiCEdit::buttonDown(Qt::MouseButton button, QPoint point)
{
    int column = 0;
    int row = 0;
    if ((button != Qt::LeftButton && button != Qt::RightButton) || !dotAt(point, column, row))
        return;
    commit();
    (button == Qt::LeftButton ? leftDown_ : rightDown_) = true;
    startColumn_ = column;
    startRow_ = row;
    pointerMoved(point);
}

void cuiCEdit::pointerMoved(QPoint point)
{
    int column = 0;
    int row = 0;
    if ((!leftDown_ && !rightDown_) || !dotAt(point, column, row))
        return;
    const bool drawing = leftDown_;
    switch (tool_) {
    case kPen:
        base_[at(column, row)] = drawing ? 1 : 0;
        mode_ = kAdd;
        break;
    case kRectangle: {
        std::fill(overlay_.begin(), overlay_.end(), 0);
        const int left = std::clamp(std::min(startColumn_, column), 0, columns_ - 1);
        const int right = std::clamp(std::max(startColumn_, column), 0, columns_ - 1);
        const int top = std::clamp(std::min(startRow_, row), 0, rows_ - 1);
        const int bottom = std::clamp(std::max(startRow_, row), 0, rows_ - 1);
        for (int r = top; r <= bottom; ++r) {
            for (int c = left; c <= right; ++c)
                overlay_[at(c, r)] = 1;
        }
        mode_ = drawing ? kAdd : kRemove;
        break;
    }
    case kShift: {
        const int across = column - startColumn_;
        const int down = row - startRow_;
        for (int r = 0; r < rows_; ++r) {
            for (int c = 0; c < columns_; ++c)
                overlay_[at(wrapped(c + across, columns_), wrapped(r + down, rows_))] =
                    base_[at(c, r)];
        }
        mode_ = kReplace;
        break;
    }
    }
    showDots();
}

void cuiCEdit::buttonUp(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        leftDown_ = false;
    else if (button == Qt::RightButton)
        rightDown_ = false;
    else
        return;
    commit();
    mode_ = kAdd;
}

// Only the squares that change are painted again.
void cuiCEdit::showDots()
{
    bool changed = false;
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            const std::size_t k = at(c, r);
            std::uint8_t shown = 0;
            switch (mode_) {
            case kAdd:
                shown = (base_[k] | overlay_[k]) != 0 ? 1 : 0;
                break;
            case kRemove:
                shown = (base_[k] != 0 && overlay_[k] == 0) ? 1 : 0;
                break;
            case kReplace:
                shown = overlay_[k];
                break;
            }
            if (shown == picture_[k])
                continue;
            picture_[k] = shown;
            grid_->update(DotRect(c, r));
            changed = true;
        }
    }
    if (changed)
        preview_->update();
}

void cuiCEdit::clearAll()
{
    if (platform::showMessage(appTitle(), texts_.GetText(kClearKey), platform::MessageIcon::Warning,
                              platform::MessageButtons::OkCancel) != platform::MessageResult::Ok) {
        return;
    }
    std::fill(base_.begin(), base_.end(), 0);
    std::fill(overlay_.begin(), overlay_.end(), 0);
    mode_ = kAdd;
    showDots();
}

void cuiCEdit::chooseTool(std::int32_t imageIndex)
{
    switch (imageIndex) {
    case kPenImage:
        tool_ = kPen;
        break;
    case kRectangleImage:
        tool_ = kRectangle;
        break;
    case kShiftImage:
        tool_ = kShift;
        break;
    case kClearImage:
        clearAll();
        break;
    default:
        break;
    }
    toolBar_->RefreshStates();
}

void cuiCEdit::paintGrid(const QRect &region)
{
    QPainter painter(grid_);
    const QRect box = grid_->rect();
    painter.fillRect(region, grid_->palette().color(QPalette::Window));
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            const QRect square = DotRect(c, r);
            if (!square.intersects(region))
                continue;
            const QColor colour = picture_[at(c, r)] != 0 ? QColor(Qt::black)
                                  : InCharacterBox(c, r)  ? QColor(Qt::white)
                                                          : kOutsideBox;
            painter.fillRect(square, colour);
        }
    }
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

// The character at the display's size, in the middle of the box.
void cuiCEdit::paintPreview()
{
    QPainter painter(preview_);
    const QRect box = preview_->rect();
    painter.fillRect(box, preview_->palette().color(QPalette::Window));
    const QSize size(columns_ * kPreviewDot, rows_ * kPreviewDot);
    const QRect picture(box.center() - QPoint(size.width() / 2, size.height() / 2), size);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            painter.fillRect(picture.x() + c * kPreviewDot, picture.y() + r * kPreviewDot,
                             kPreviewDot, kPreviewDot,
                             picture_[at(c, r)] != 0 ? Qt::black : Qt::white);
        }
    }
    painter.setPen(Qt::black);
    painter.drawRect(picture.adjusted(-1, -1, 0, 0));
}

bool cuiCEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == grid_) {
        switch (event->type()) {
        case QEvent::Paint:
            paintGrid(static_cast<QPaintEvent *>(event)->rect());
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            buttonDown(mouse->button(), mouse->position().toPoint());
            return true;
        }
        case QEvent::MouseMove:
            pointerMoved(static_cast<QMouseEvent *>(event)->position().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            buttonUp(static_cast<QMouseEvent *>(event)->button());
            return true;
        default:
            break;
        }
    }
    if (watched == preview_ && event->type() == QEvent::Paint) {
        paintPreview();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Keys no control of the window took: Enter answers, Escape cancels.
void cuiCEdit::keyPressEvent(QKeyEvent *event)
{
    if (IsKey(event, {Qt::Key_Return, Qt::Key_Enter})) {
        Deliver();
        return;
    }
    if (IsKey(event, {Qt::Key_Escape})) {
        Cancel();
        return;
    }
    CellWindow::keyPressEvent(event);
}

void cuiCEdit::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!Released())
        Cancel();
}

void cuiCEdit::Deliver()
{
    commit();
    AnswerCell(0, Dots());
}

// The tool bar asks which button shows pressed: the current tool's.
std::int32_t cuiCEdit::toolState(indActiveCell *, cmcCellCapsule &capsule, std::int32_t mode)
{
    auto *owner = qobject_cast<QWidget *>(capsule.ownerControl);
    auto *window = owner != nullptr ? qobject_cast<cuiCEdit *>(owner->window()) : nullptr;
    if (window == nullptr || capsule.cell == nullptr || mode != kHandlerDraw)
        return kHandlerNothing;
    static constexpr std::int32_t kToolImages[] = {kPenImage, kRectangleImage, kShiftImage};
    capsule.cell->SetUserFlag(kToolPressed, capsule.cell->imageIndex == kToolImages[window->tool_]);
    return kHandlerNothing;
}

void cuiCEdit::toolClicked(void *context, const cmcCellObj &buttonCell)
{
    static_cast<cuiCEdit *>(context)->chooseTool(buttonCell.imageIndex);
}
