#include "sheets/cuiToolBar.h"

#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcEvMan.h"
#include "sheets/cuiImageList.h"
#include "sheets/cuiMenuBody.h"
#include "textdb/cmcGTex.h"

#include <QAction>
#include <QFrame>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int flagPressed = 0;
constexpr int flagDisabled = 2;
const std::string gapText = "-";
const std::string breakText = "/";

} // namespace

cuiToolBar::cuiToolBar(QWidget *owner, cmcGTex &texts, std::string name, const cuiImageList *images,
                       cmcCellHandler handler)
    : owner_(owner), texts_(&texts), name_(std::move(name)), images_(images), handler_(handler)
{
    control_ = new QFrame(owner);
    auto *layout = new QVBoxLayout(control_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // Only the top edge has a border.
    auto *edge = new QFrame(control_);
    edge->setFrameShape(QFrame::HLine);
    edge->setFrameShadow(QFrame::Sunken);
    layout->addWidget(edge);
    eventManager().Register(&cuiToolBar::onEvent, this);
}

cuiToolBar::~cuiToolBar()
{
    eventManager().Unregister(&cuiToolBar::onEvent, this);
    clear();
    delete control_.data();
}

void cuiToolBar::onEvent(void *object, const cmcEvent &event)
{
    if (event.type == kEvToolStates)
        static_cast<cuiToolBar *>(object)->RefreshStates();
}

void cuiToolBar::clear()
{
    for (QToolBar *row : rows_)
        row->deleteLater();
    rows_.clear();
    lines_.clear();
}

QToolBar *cuiToolBar::addRow()
{
    auto *row = new QToolBar(control_);
    row->setMovable(false);
    row->setFloatable(false);
    row->setToolButtonStyle(Qt::ToolButtonIconOnly);
    row->setContentsMargins(kIndent, 0, 0, 0);
    if (images_ != nullptr)
        row->setIconSize(images_->imageSize());
    control_->layout()->addWidget(row);
    rows_.push_back(row);
    return row;
}

void cuiToolBar::Build(cuiMenuClick click)
{
    clear();
    click_ = click;
    const std::vector<std::string> body = cuiMenuBody::ReadLines(*texts_, name_ + "_Body");
    baseCell_ = cmcCellObj();
    baseCell_.Parse(texts_->GetFirstLine(name_ + "_BasicCell"), nullptr, nullptr, false);
    lines_.resize(body.size());
    QToolBar *row = addRow();
    for (std::size_t n = 0; n < body.size(); ++n) {
        Line &line = lines_[n];
        line.cell = std::make_unique<cmcCellObj>();
        line.cell->Parse(body[n], nullptr, &baseCell_, false);
        const std::string &text = line.cell->GetText();
        if (text == breakText) {
            row = addRow();
            continue;
        }
        if (text == gapText) {
            auto *gap = new QWidget(row);
            gap->setFixedWidth(kGapWidth);
            row->addWidget(gap);
            line.gap = gap;
            continue;
        }
        auto *button = new QAction(row);
        button->setToolTip(QString::fromStdString(text));
        button->setText(QString::fromStdString(text));
        line.imageIndex = line.cell->imageIndex;
        if (images_ != nullptr)
            button->setIcon(images_->icon(line.imageIndex));
        row->addAction(button);
        if (auto *tool = qobject_cast<QToolButton *>(row->widgetForAction(button)))
            tool->setAutoRaise(false);
        const int index = static_cast<int>(n);
        QObject::connect(button, &QAction::triggered, button, [this, index] { clicked(index); });
        line.button = button;
    }
}

void cuiToolBar::RefreshStates()
{
    for (Line &line : lines_) {
        QAction *button = line.button;
        if (button == nullptr)
            continue;
        cmcCellObj &cell = *line.cell;
        // Cleared first, so a handler that only sets flags still releases.
        cell.SetUserFlag(flagPressed, false);
        cell.SetUserFlag(flagDisabled, false);
        cmcCellCapsule capsule;
        capsule.ownerControl = owner_;
        capsule.cell = &cell;
        indActiveCell context;
        if (handler_ != nullptr)
            handler_(&context, capsule, kHandlerDraw);
        const bool pressed = cell.UserFlag(flagPressed);
        button->setCheckable(pressed);
        button->setChecked(pressed);
        button->setEnabled(!cell.UserFlag(flagDisabled));
        if (cell.imageIndex != line.imageIndex) {
            line.imageIndex = cell.imageIndex;
            if (images_ != nullptr)
                button->setIcon(images_->icon(line.imageIndex));
        }
    }
}

void cuiToolBar::clicked(int index)
{
    Line &line = lines_[static_cast<std::size_t>(index)];
    // A check button shows what the handler last said, not the toggle the
    // click made; the state follows with the next refresh.
    if (QAction *button = line.button; button != nullptr && button->isCheckable())
        button->setChecked(!button->isChecked());
    const cmcCellObj cell = *line.cell;
    if (click_.bound())
        click_(cell);
    else
        cuiMenuClick::SendEnter(handler_, owner_, cell, nullptr);
}

QWidget *cuiToolBar::Control() const { return control_.data(); }

QToolBar *cuiToolBar::Row(int row) const
{
    return row >= 0 && row < RowCount() ? rows_[static_cast<std::size_t>(row)] : nullptr;
}

QAction *cuiToolBar::Button(int line) const
{
    return line >= 0 && line < ButtonCount() ? lines_[static_cast<std::size_t>(line)].button
                                             : nullptr;
}

QWidget *cuiToolBar::Gap(int line) const
{
    return line >= 0 && line < ButtonCount() ? lines_[static_cast<std::size_t>(line)].gap : nullptr;
}

const cmcCellObj *cuiToolBar::ButtonCell(int line) const
{
    return line >= 0 && line < ButtonCount() ? lines_[static_cast<std::size_t>(line)].cell.get()
                                             : nullptr;
}
