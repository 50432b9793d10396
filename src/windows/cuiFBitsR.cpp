#include "windows/cuiFBitsR.h"

#include "cells/CellCodec.h"
#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcEvMan.h"
#include "cells/cmcEvent.h"
#include "sheets/SheetColours.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"
#include "windows/PopupPlacement.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr char kBuiltInSheet[] = "GI_Sheet_FBitsR";
// Check box j is bit 26 - j of the mask.
constexpr int kFirstMemberBit = 26;
constexpr int kBorder = 5;
constexpr int kButtonGap = 8;
// The built-in sheet ends in empty rows the window needs only some of.
constexpr int kHeightCut = 12;

constexpr std::array<const char *, 5> kSentences = {"RMC", "GGA", "GLL", "GSA", "VTG"};

// A heading is one character when the style makes a printable one of the
// member number, else the number.
std::string letterOr(std::int32_t code, std::int32_t member)
{
    if (code > ' ' && code < 127 && code != '|' && code != '{' && code != '}' && code != '\\')
        return std::string(1, static_cast<char>(code));
    return std::to_string(member);
}

std::string hexadecimal(std::int32_t number)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(number));
    return text;
}

} // namespace

cuiFBitsR *cuiFBitsR::Open(const cmcCellCapsule &opening, cmcGTex &texts, std::uint32_t value,
                           std::int32_t first, std::int32_t last, std::int32_t headingStyle,
                           std::int32_t markStyle, const std::string &sheetKey)
{
    if (qobject_cast<QWidget *>(opening.ownerControl) == nullptr)
        return nullptr;
    last = first + std::clamp(last - first + 1, 1, kMostMembers) - 1;
    auto *window = new cuiFBitsR(opening, texts, value, first, last, headingStyle, markStyle);
    window->build(opening, sheetKey);
    return window;
}

cuiFBitsR::cuiFBitsR(const cmcCellCapsule &opening, cmcGTex &texts, std::uint32_t value,
                     std::int32_t first, std::int32_t last, std::int32_t headingStyle,
                     std::int32_t markStyle)
    : CellWindow(opening, Qt::Popup | Qt::FramelessWindowHint), texts_(texts), value_(value),
      first_(first), last_(last), headingStyle_(headingStyle), markStyle_(markStyle)
{}

// The sheet lives in this window, so it goes before the window's children.
cuiFBitsR::~cuiFBitsR()
{
    StopListening();
    sheet_.reset();
}

std::string cuiFBitsR::Heading(std::int32_t style, std::int32_t member, std::int32_t last)
{
    switch (style) {
    case kHexadecimal:
        return hexadecimal(member);
    case kDecimalTenAsZero:
        return member == 10 ? "0" : std::to_string(member);
    case kDigitsThenLetters:
        if (member <= 9)
            return std::to_string(member);
        return member == 17 ? "Z" : letterOr(member + 55, member);
    case kLetters:
        return letterOr(member + 64, member);
    case kNmeaSentences:
        if (member >= 1 && member <= static_cast<std::int32_t>(kSentences.size()))
            return kSentences[static_cast<std::size_t>(member - 1)];
        return std::to_string(member);
    case kBitNumbers:
        return "B" + std::to_string(last - member);
    default:
        return std::to_string(member);
    }
}

std::vector<std::string> cuiFBitsR::Description(std::int32_t first, std::int32_t last,
                                                std::int32_t headingStyle)
{
    const std::int32_t count = last - first + 1;
    std::string headings;
    for (std::int32_t member = first; member <= last; ++member)
        headings += "|{($iChI)}" + Heading(headingStyle, member, last) + "|";
    std::string boxes;
    for (std::int32_t j = 1; j <= count; ++j) {
        boxes += "|{($eWh)^(%CL_FBits[" + std::to_string(j) + "])}9|";
        if (j < count)
            boxes += "{($iQp)}";
    }
    return {
        std::string("#") + kBuiltInSheet + "_Style",
        "(FixedCols=1)(FixedRows=1)",
        std::string("#") + kBuiltInSheet + "_BasicCell",
        "{($Basic)(PopupMenu=GI_PMenu_NoItem)}",
        std::string("#") + kBuiltInSheet + "_Cells",
        "",
        headings,
        "",
        boxes,
        "",
        "",
        "#",
        "#CellModel_iChI",
        "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)",
        "#CellModel_eWh",
        "S<_WHB",
        "#CellModel_iQp",
        "(%CT_Null.CL_Misc_QuarterPillar)",
        "#CellModel_Basic",
        "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
        "#GI_PMenu_NoItem_BasicCell",
        "{($Basic)}",
        "#GI_PMenu_NoItem_Body",
        "+No item\t{(%CT_PopupMenu.CL_PMenu_NoItem)}",
        "#",
        "#GI_PMenu_Edit_BasicCell",
        "{($Basic)(%CT_PopupMenu.)}",
        "#GI_PMenu_Edit_Body",
        "+Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}",
        "#",
        "#End_Of_Ovl",
        "",
    };
}

QPolygon cuiFBitsR::CheckMark(const QRect &cell)
{
    const double side = 0.7 * std::min(cell.width(), cell.height());
    const double left = cell.left() + (cell.width() - side) / 2;
    const double top = cell.top() + (cell.height() - side) / 2;
    static constexpr std::array<std::array<double, 2>, 6> kCorners = {
        {{0, 0.4}, {0, 0.6}, {0.4, 1}, {1, 0.35}, {1, 0.15}, {0.4, 0.7}}};
    QPolygon mark;
    for (const auto &[x, y] : kCorners)
        mark << QPoint(static_cast<int>(std::lround(left + x * side)),
                       static_cast<int>(std::lround(top + y * side)));
    return mark;
}

void cuiFBitsR::build(const cmcCellCapsule &opening, const std::string &sheetKey)
{
    auto *outer = new QFrame(this);
    outer->setFrameStyle(QFrame::Panel | QFrame::Raised);
    outer->setLineWidth(2);
    auto *windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->addWidget(outer);
    auto *column = new QVBoxLayout(outer);
    column->setContentsMargins(outer->frameWidth(), outer->frameWidth(), outer->frameWidth(),
                               outer->frameWidth());
    column->setSpacing(0);
    auto *inner = new QWidget(outer);
    auto *innerLayout = new QVBoxLayout(inner);
    innerLayout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    container_ = new QWidget(inner);
    innerLayout->addWidget(container_);
    column->addWidget(inner);
    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(kBorder, 0, kBorder, kBorder);
    bar->setSpacing(kButtonGap);
    bar->addStretch(1);
    ok_ = new QPushButton(QString::fromStdString(texts_.GetLine("GI_AppInd_Button_OkCancel", 0)),
                          outer);
    cancel_ = new QPushButton(
        QString::fromStdString(texts_.GetLine("GI_AppInd_Button_OkCancel", 1)), outer);
    ok_->setDefault(true);
    bar->addWidget(ok_);
    bar->addWidget(cancel_);
    column->addLayout(bar);
    windowLayout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok_, &QPushButton::clicked, this, &cuiFBitsR::Deliver);
    connect(cancel_, &QPushButton::clicked, this, &cuiFBitsR::Cancel);

    cmcGTex *texts = &texts_;
    std::string key = sheetKey;
    if (key.empty()) {
        ownLines_ =
            std::make_unique<std::vector<std::string>>(Description(first_, last_, headingStyle_));
        ownTexts_ = std::make_unique<cmcGTex>();
        ownTexts_->SetItems(ownLines_.get());
        texts = ownTexts_.get();
        key = kBuiltInSheet;
    }
    sheet_ = std::make_unique<cuiSheet>(container_, &opening, CL_FBits, 1, *texts, key,
                                        static_cast<const cuiImageList *>(opening.imageList));
    if (cmcCellCapsule *origin = sheet_->OriginCapsule())
        origin->cellRect = nullptr;
    sheet_->SetHandler(&cuiFBitsR::handleCell, nullptr);
    // Nobody widens the window's columns; there are no widths to keep.
    sheet_->SetWidthsPersistent(false);
    sheet_->Show();
    if (cuiGrid *grid = sheet_->Grid()) {
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->installEventFilter(this);
    }
    if (headingStyle_ == kNmeaSentences)
        ok_->setEnabled(setMembers() <= kMostSentences);
    show();
    fitToSheet();
    popup_placement::place(opening, *this);
    if (cuiGrid *grid = sheet_->Grid())
        grid->setFocus(Qt::PopupFocusReason);
    StartListening();
}

// The sheet measures its chrome from its laid-out panels, which only a
// shown window has.
void cuiFBitsR::fitToSheet()
{
    const int buttons =
        ok_->sizeHint().width() + cancel_->sizeHint().width() + 2 * kBorder + kButtonGap;
    container_->setFixedSize(std::max(sheet_->RequiredWidth(), buttons),
                             std::max(sheet_->RequiredHeight() - heightCut(), 1));
    layout()->activate();
}

// The calls come from this window's sheet and from its context menu, whose
// owner is the sheet's grid.
// The empty rows below the check boxes, as far as they reach.
int cuiFBitsR::heightCut() const
{
    const cuiGrid *grid = sheet_->Grid();
    if (grid == nullptr)
        return 0;
    int lastBoxRow = sheet_->RowCount() - 1;
    while (lastBoxRow > 0) {
        bool boxes = false;
        for (int col = 0; col < sheet_->ColCount() && !boxes; ++col)
            boxes = sheet_->CellAt(col, lastBoxRow).label == CL_FBits;
        if (boxes)
            break;
        --lastBoxRow;
    }
    int below = 0;
    for (int row = lastBoxRow + 1; row < sheet_->RowCount(); ++row)
        below += grid->rowHeight(row);
    return std::min(kHeightCut, below);
}

std::int32_t cuiFBitsR::handleCell(indActiveCell *context, cmcCellCapsule &capsule,
                                   std::int32_t mode)
{
    cuiFBitsR *window = AskedBy<cuiFBitsR>(capsule);
    return window != nullptr ? window->handleOwnCell(context, capsule, mode) : kHandlerNothing;
}

std::int32_t cuiFBitsR::handleOwnCell(indActiveCell *context, cmcCellCapsule &capsule,
                                      std::int32_t mode)
{
    if (capsule.cell == nullptr)
        return kHandlerNothing;
    const std::int32_t j = capsule.cell->index;
    const std::int32_t count = last_ - first_ + 1;
    if (capsule.cell->label != CL_FBits || j < 1 || j > count) {
        return PassOn(context, capsule, kHandlerDraw);
    }
    const std::uint32_t bit = 1u << (kFirstMemberBit - j);
    const bool toggle = mode == kHandlerAction && capsule.inputMode == cmcCellCapsule::kInputKey &&
                        (capsule.code == ' ' || capsule.code == cmcCellCapsule::kCodeEnterAlias);
    if (toggle)
        value_ ^= bit;
    capsule.outputText.clear();
    if (capsule.canvas != nullptr && (value_ & bit) != 0) {
        if (markStyle_ == kMarkLetter)
            capsule.outputText = "o";
        else
            drawCheckMark(capsule);
    }
    if (headingStyle_ == kNmeaSentences && setMembers() > kMostSentences)
        capsule.stateBits |= cmcCellCapsule::kStateError;
    if (mode == kHandlerAction)
        capsule.redraw(capsule, cmcCellCapsule::kRedrawSameCell);
    if (toggle)
        toggled();
    return kHandlerNothing;
}

void cuiFBitsR::drawCheckMark(const cmcCellCapsule &capsule) const
{
    if (capsule.cellRect == nullptr || sheet_ == nullptr || sheet_->Grid() == nullptr)
        return;
    const QColor colour =
        SheetColours::Resolve(sheet_->FontOf(*capsule.cell).colour, sheet_->Grid()->palette());
    QPainter &painter = *capsule.canvas;
    painter.save();
    painter.setPen(colour);
    painter.setBrush(colour);
    painter.drawPolygon(CheckMark(*capsule.cellRect));
    painter.restore();
}

int cuiFBitsR::setMembers() const
{
    int set = 0;
    for (std::int32_t j = 1; j <= last_ - first_ + 1; ++j)
        set += ((value_ >> (kFirstMemberBit - j)) & 1) != 0 ? 1 : 0;
    return set;
}

// Every check box shows whether too many sentences are on.
void cuiFBitsR::toggled()
{
    if (headingStyle_ == kNmeaSentences) {
        ok_->setEnabled(setMembers() <= kMostSentences);
        if (sheet_ != nullptr && sheet_->Grid() != nullptr)
            sheet_->Grid()->invalidateGrid();
    }
    eventManager().Post(kEvRedrawLabelled);
}

bool cuiFBitsR::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Hide:
    case QEvent::WindowDeactivate:
        // Leaving the window (a click elsewhere) keeps what was set.
        if (Listening() && !Released())
            Finish();
        break;
    case QEvent::KeyPress:
        if (takeButtonKey(event))
            return true;
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

// Enter and Escape are the buttons' before the grid sees them.
bool cuiFBitsR::eventFilter(QObject *watched, QEvent *event)
{
    return takeButtonKey(event) || QWidget::eventFilter(watched, event);
}

// Escape cancels; Enter answers when OK may be pressed.
bool cuiFBitsR::takeButtonKey(QEvent *event)
{
    if (IsKey(event, {Qt::Key_Escape})) {
        Cancel();
        return true;
    }
    if (IsKey(event, {Qt::Key_Return, Qt::Key_Enter})) {
        if (ok_->isEnabled())
            Deliver();
        return true;
    }
    return false;
}

void cuiFBitsR::Deliver() { AnswerCell(static_cast<std::int32_t>(value_), std::to_string(value_)); }
