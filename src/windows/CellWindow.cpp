#include "windows/CellWindow.h"

#include "cells/CellCodec.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcEvMan.h"
#include "cells/cmcEvent.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "textdb/GlobalTexts.h"

#include <QKeyEvent>

#include <algorithm>

CellWindow::CellWindow(const cmcCellCapsule &opening, Qt::WindowFlags flags)
    : QWidget(qobject_cast<QWidget *>(opening.ownerControl), flags),
      owner_(qobject_cast<QWidget *>(opening.ownerControl)), answer_(opening),
      cellHandler_(opening.sheet != nullptr && opening.sheet->Handler() != nullptr
                       ? opening.sheet->Handler()
                       : SheetLayout::ModelHandler())
{
    // The cell's rectangle belonged to the request that opened the window.
    answer_.cellRect = nullptr;
    setWindowTitle(QString::fromStdString(appTitle()));
}

CellWindow::~CellWindow() { StopListening(); }

void CellWindow::AnswerCell(std::int32_t entry, const std::string &text)
{
    if (answered_ || cancelled_)
        return;
    answered_ = true;
    cmcCellObj answering;
    answering.label = CodecOpen::kWindowAnswerStyle;
    answering.index = entry;
    cmcCellCapsule origin;
    origin.cell = &answering;
    cmcCellCapsule answer = answer_;
    answer.origin = &origin;
    answer.inputMode = cmcCellCapsule::kInputChosen;
    answer.code = 0;
    answer.inputText = text;
    const QPointer<CellWindow> alive(this);
    indActiveCell fresh;
    if (cellHandler_ != nullptr && owner_ != nullptr)
        cellHandler_(&fresh, answer, kHandlerAction);
    if (alive)
        Release();
}

void CellWindow::Finish()
{
    if (!cancelled_ && !answered_)
        Deliver();
    Release();
}

void CellWindow::Cancel()
{
    cancelled_ = true;
    Release();
}

void CellWindow::Release()
{
    if (released_)
        return;
    released_ = true;
    hide();
    deleteLater();
}

void CellWindow::StartListening()
{
    if (listening_)
        return;
    eventManager().Register(&CellWindow::onEvent, this);
    listening_ = true;
}

void CellWindow::StopListening()
{
    if (!listening_)
        return;
    eventManager().Unregister(&CellWindow::onEvent, this);
    listening_ = false;
}

std::int32_t CellWindow::PassOn(indActiveCell *context, cmcCellCapsule &capsule,
                                std::int32_t mode) const
{
    return cellHandler_ != nullptr ? cellHandler_(context, capsule, mode) : kHandlerNothing;
}

QWidget *CellWindow::gridOf(const cmcCellCapsule &capsule)
{
    if (capsule.sheet != nullptr)
        return capsule.sheet->Grid();
    return qobject_cast<QWidget *>(capsule.ownerControl);
}

bool CellWindow::IsKey(const QEvent *event, std::initializer_list<int> keys)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

void CellWindow::onEvent(void *object, const cmcEvent &event)
{
    static_cast<CellWindow *>(object)->handleEvent(event);
}

void CellWindow::handleEvent(const cmcEvent &event)
{
    switch (event.type) {
    case kEvControlClosing:
        if (reinterpret_cast<QWidget *>(event.argument) == owner_.data() || owner_ == nullptr)
            Cancel();
        break;
    case kEvFinishEdits:
        Finish();
        break;
    default:
        break;
    }
}
