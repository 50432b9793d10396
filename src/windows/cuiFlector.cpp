#include "windows/cuiFlector.h"

#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcEvMan.h"
#include "cells/cmcEvent.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "textdb/GlobalTexts.h"
#include "ui/WindowGeometry.h"
#include "windows/PopupPlacement.h"

#include <QKeyEvent>
#include <QLayout>

cuiFlector *cuiFlector::Open(const cmcCellCapsule &opening, std::int32_t style,
                             std::int32_t current, cmcGTex &texts, const std::string &sheetKey)
{
    auto *owner = qobject_cast<QWidget *>(opening.ownerControl);
    if (owner == nullptr)
        return nullptr;
    auto *popup = new cuiFlector(owner, texts, sheetKey,
                                 static_cast<const cuiImageList *>(opening.imageList));
    popup->Start(opening, style, current);
    return popup;
}

cuiFlector::cuiFlector(QWidget *owner, cmcGTex &texts, std::string sheetKey,
                       const cuiImageList *images)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint), owner_(owner), texts_(texts),
      sheetKey_(std::move(sheetKey)), images_(images)
{
    setWindowTitle(QString::fromStdString(appTitle()));
}

// The sheet lives in this window, so it goes before the window's children.
cuiFlector::~cuiFlector()
{
    if (listening_)
        eventManager().Unregister(&cuiFlector::onEvent, this);
    sheet_.reset();
}

std::unique_ptr<cuiSheet> cuiFlector::CreateSheet(QWidget *container, const cmcCellCapsule &opening,
                                                  std::int32_t style, std::int32_t current)
{
    return std::make_unique<cuiSheet>(container, &opening, style, current, texts_, sheetKey_,
                                      images_);
}

void cuiFlector::Start(const cmcCellCapsule &opening, std::int32_t style, std::int32_t current)
{
    sheet_ = CreateSheet(this, opening, style, current);
    // The list's entries are cells of the handler that serves the cell.
    if (opening.sheet != nullptr)
        sheet_->SetHandler(opening.sheet->Handler(), opening.sheet->HandlerContext());
    // The copy of the opening capsule outlives the request that filled it;
    // the cell's rectangle was a value of that request only.
    if (cmcCellCapsule *origin = sheet_->OriginCapsule())
        origin->cellRect = nullptr;
    sheet_->SetPopupMode(true);
    sheet_->Show();
    if (cuiGrid *grid = sheet_->Grid()) {
        grid->installEventFilter(this);
        grid->viewport()->installEventFilter(this);
    }
    // The sheet's panels have their sizes once the window is laid out.
    show();
    fitToSheet();
    showCurrentEntry();
    popup_placement::place(opening, *this);
    if (cuiGrid *grid = sheet_->Grid())
        grid->setFocus(Qt::PopupFocusReason);
    eventManager().Register(&cuiFlector::onEvent, this);
    listening_ = true;
}

// Every row and column in view; a list larger than the work area gets scroll
// bars and the work area's size.
void cuiFlector::fitToSheet()
{
    cuiGrid *grid = sheet_->Grid();
    if (grid == nullptr)
        return;
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QSize size(sheet_->RequiredWidth(), sheet_->RequiredHeight());
    const WorkArea area = window_geometry::workAreaOf(owner_);
    const QSize room(area.right - area.left, area.bottom - area.top);
    if (size.width() > room.width() || size.height() > room.height()) {
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        size = QSize(sheet_->RequiredWidth(), sheet_->RequiredHeight()).boundedTo(room);
    }
    setFixedSize(size);
    if (layout() != nullptr)
        layout()->activate();
}

void cuiFlector::showCurrentEntry()
{
    cuiGrid *grid = sheet_->Grid();
    if (grid == nullptr)
        return;
    grid->setTopLeft(grid->fixedCols(), grid->fixedRows());
    const GridCoord current = sheet_->CurrentCell();
    sheet_->PutCursor(current.col, current.row, false);
}

void cuiFlector::release()
{
    if (released_)
        return;
    released_ = true;
    hide();
    deleteLater();
}

// The sheet hides its window once it has answered; that ends the list as
// any other way of leaving it does.
bool cuiFlector::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Hide:
    case QEvent::WindowDeactivate:
        if (listening_)
            release();
        break;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            release();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

// Escape is the window's before the grid sees it.
bool cuiFlector::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        release();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void cuiFlector::onEvent(void *object, const cmcEvent &event)
{
    static_cast<cuiFlector *>(object)->handleEvent(event);
}

void cuiFlector::handleEvent(const cmcEvent &event)
{
    switch (event.type) {
    case kEvControlClosing:
        if (reinterpret_cast<QWidget *>(event.argument) == owner_.data() || owner_ == nullptr)
            release();
        break;
    case kEvFinishEdits:
        release();
        break;
    default:
        break;
    }
}
