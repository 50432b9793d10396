#include "windows/cuiFText.h"

#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcEvMan.h"
#include "cells/cmcEvent.h"
#include "channels/RadioText.h"
#include "sheets/SheetCellPainter.h"
#include "sheets/SheetFonts.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"
#include "windows/PopupPlacement.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr char kTableSheet[] = "GI_Sheet_Sel_Text";
constexpr int kFrameInset = 2;
constexpr std::int32_t kDelete = 127;
constexpr std::int32_t kEscape = 27;

// The radio's set is one byte a character; the edit line holds Unicode.
std::string bytesOf(const QString &text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text)
        bytes.push_back(c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : ' ');
    return bytes;
}

int lineHeight(const QFont &font)
{
    return static_cast<int>(std::lround(1.5 * QFontMetrics(font).height()));
}

// The display's dots are drawn at least this big.
constexpr int kSmallestDot = 3;

DisplayFont programFont()
{
    CellHost *host = cellHost();
    return host != nullptr ? DisplayFont(host->WorkingImage()) : DisplayFont();
}

} // namespace

cuiFText *cuiFText::Open(const cmcCellCapsule &opening, cmcGTex &texts, const std::string &escaped,
                         std::int32_t width, std::int32_t selectionStart,
                         std::int32_t selectionLength)
{
    if (qobject_cast<QWidget *>(opening.ownerControl) == nullptr)
        return nullptr;
    auto *window = new cuiFText(opening, texts, std::max(width, 1));
    window->build(opening, escaped, selectionStart, selectionLength);
    return window;
}

cuiFText::cuiFText(const cmcCellCapsule &opening, cmcGTex &texts, std::int32_t width)
    : CellWindow(opening, Qt::Tool | Qt::FramelessWindowHint), texts_(texts), width_(width),
      displayFont_(programFont())
{}

// The table lives in this window, so it goes before the window's children.
cuiFText::~cuiFText()
{
    StopListening();
    table_.reset();
}

std::string cuiFText::EditText() const { return bytesOf(edit_->text()); }

DotMatrixText cuiFText::PreviewText() const
{
    DotMatrixText text;
    const bool isLong = width_ >= kShortestLong;
    text.charactersPerLine = isLong ? kLongLine : kShortLine;
    text.lines = isLong ? (width_ + kLongLine - 1) / kLongLine : 2;
    text.characters = bytes_.substr(0, static_cast<std::size_t>(text.charactersPerLine) *
                                           static_cast<std::size_t>(text.lines));
    text.keptLength = width_;
    return text;
}

void cuiFText::build(const cmcCellCapsule &opening, const std::string &escaped,
                     std::int32_t selectionStart, std::int32_t selectionLength)
{
    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    auto *windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->addWidget(panel);
    auto *column = new QVBoxLayout(panel);

    QFont font = this->font();
    if (opening.sheet != nullptr && opening.cell != nullptr)
        font = SheetFonts::ToQFont(opening.sheet->FontOf(*opening.cell));
    edit_ = new QLineEdit(panel);
    edit_->setFont(font);
    edit_->setMaxLength(static_cast<int>(radio_text::kMaxLength));
    edit_->setFixedHeight(lineHeight(font));
    edit_->setText(QString::fromLatin1(escaped.data(), static_cast<qsizetype>(escaped.size())));
    if (selectionLength > 0)
        edit_->setSelection(selectionStart, selectionLength);
    else
        edit_->end(false);
    edit_->installEventFilter(this);
    column->addWidget(edit_);

    preview_ = new QWidget(panel);
    // A line of the display is as high as the text line, or higher so that
    // its dots can be made out.
    const int previewLine = std::max(lineHeight(font), kSmallestDot * displayFont_.Rows());
    preview_->setFixedHeight(previewLine * PreviewText().lines + 2 * kFrameInset);
    preview_->installEventFilter(this);
    column->addWidget(preview_);

    tableContainer_ = new QWidget(panel);
    column->addWidget(tableContainer_);
    table_ = std::make_unique<cuiSheet>(tableContainer_, nullptr, Flex0, ' ', texts_, kTableSheet,
                                        static_cast<const cuiImageList *>(opening.imageList));
    table_->SetHandler(&cuiFText::handleCell, nullptr);
    table_->SetWidthsPersistent(false);
    table_->Show();

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(kButtonGap);
    buttons->addStretch(1);
    ok_ = new QPushButton(QString::fromStdString(texts_.GetLine("GI_AppInd_Button_OkCancel", 0)),
                          panel);
    cancel_ = new QPushButton(
        QString::fromStdString(texts_.GetLine("GI_AppInd_Button_OkCancel", 1)), panel);
    ok_->setDefault(true);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    column->addLayout(buttons);
    windowLayout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok_, &QPushButton::clicked, this, &cuiFText::Deliver);
    connect(cancel_, &QPushButton::clicked, this, &cuiFText::Cancel);
    connect(edit_, &QLineEdit::textChanged, this, &cuiFText::textEdited);
    textEdited();

    show();
    // The table is as wide as it wants, with a third of its height in view.
    if (cuiGrid *grid = table_->Grid()) {
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        tableContainer_->setFixedSize(table_->RequiredWidth() +
                                          grid->verticalScrollBar()->sizeHint().width(),
                                      std::max(table_->RequiredHeight() / 3, 1));
    }
    layout()->activate();
    popup_placement::place(opening, *this);
    activateWindow();
    edit_->setFocus(Qt::PopupFocusReason);
    StartListening();
}

void cuiFText::textEdited()
{
    bytes_ = radio_text::unescape(EditText());
    preview_->update();
}

// The characters keep the display's square dots, from the left.
void cuiFText::paintPreview()
{
    QPainter painter(preview_);
    const QRect box = preview_->rect();
    painter.fillRect(box, preview_->palette().color(QPalette::Base));
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const QRect inside = box.adjusted(kFrameInset, kFrameInset, -kFrameInset, -kFrameInset);
    const DotMatrixText text = PreviewText();
    const int line = inside.height() / text.lines;
    const int character = std::min(line * DisplayFont::kColumns / displayFont_.Rows(),
                                   inside.width() / text.charactersPerLine);
    const QRect area(inside.topLeft(),
                     QSize(character * text.charactersPerLine, line * text.lines));
    SheetCellPainter::DrawDisplayText(painter, area, text, displayFont_,
                                      preview_->palette().color(QPalette::Text));
}

bool cuiFText::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == preview_ && event->type() == QEvent::Paint) {
        paintPreview();
        return true;
    }
    if (watched == edit_) {
        if (IsKey(event, {Qt::Key_Return, Qt::Key_Enter})) {
            Deliver();
            return true;
        }
        if (IsKey(event, {Qt::Key_Escape})) {
            Cancel();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The calls come from this window's sheet and from its context menu, whose
// owner is the sheet's grid.
std::int32_t cuiFText::handleCell(indActiveCell *context, cmcCellCapsule &capsule,
                                  std::int32_t mode)
{
    cuiFText *window = AskedBy<cuiFText>(capsule);
    return window != nullptr ? window->handleTableCell(context, capsule, mode) : kHandlerNothing;
}

// Each character cell stands for the code of its index.
std::int32_t cuiFText::handleTableCell(indActiveCell *context, cmcCellCapsule &capsule,
                                       std::int32_t mode)
{
    if (capsule.cell == nullptr)
        return kHandlerNothing;
    const std::int32_t code = capsule.cell->index;
    if (capsule.cell->label != Flex0 || code < 0 || code > 0xFF) {
        return PassOn(context, capsule, mode);
    }
    if (mode == kHandlerDraw) {
        capsule.outputText.clear();
        capsule.dotMatrix = DotMatrixText{.characters = std::string(1, static_cast<char>(code)),
                                          .charactersPerLine = 1};
        return kHandlerNothing;
    }
    if (capsule.inputMode != cmcCellCapsule::kInputKey)
        return kHandlerNothing;
    const std::int32_t key = capsule.code;
    if (key == ' ') {
        insertCharacter(static_cast<std::uint8_t>(code));
    } else if (key == cmcCellCapsule::kCodeEnterAlias) {
        insertCharacter(static_cast<std::uint8_t>(code));
        focusEditLine();
    } else if (key == cmcCellCapsule::kCodeEnter) {
        Deliver();
    } else if (key == '\b' || key == kEscape) {
        focusEditLine();
    } else if ((key > ' ' && key < kDelete) || (key >= kDelete && key <= 0xFF)) {
        insertCharacter(static_cast<std::uint8_t>(key));
        focusEditLine();
    }
    return kHandlerNothing;
}

// In place of the selection, at the caret.
void cuiFText::insertCharacter(std::uint8_t code)
{
    const std::string escaped = radio_text::escape(std::string(1, static_cast<char>(code)));
    edit_->insert(QString::fromLatin1(escaped.data(), static_cast<qsizetype>(escaped.size())));
}

void cuiFText::focusEditLine() { edit_->setFocus(Qt::OtherFocusReason); }

void cuiFText::Deliver() { AnswerCell(0, EditText()); }
