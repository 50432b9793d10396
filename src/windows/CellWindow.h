#pragma once

#include "cells/CellHandler.h"
#include "cells/cmcCellCapsule.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <string>

class QEvent;
struct cmcEvent;

// What the windows that edit a cell's value (flag bits, formatted text)
// share: they keep a copy of the opening cell's capsule and answer that cell
// once, as a selection list does, through the handler of the cell's sheet;
// they close without an answer when cancelled or when the cell's grid goes
// away (kEvControlClosing), and answer unless cancelled when pending edits
// are finished (kEvFinishEdits). A window frees itself once released.
class CellWindow : public QWidget
{
    Q_OBJECT

public:
    ~CellWindow() override;
    CellWindow(const CellWindow &) = delete;
    CellWindow &operator=(const CellWindow &) = delete;

    // The grid whose cell opened the window.
    QWidget *Owner() const { return owner_; }

protected:
    // Owned by the capsule's owner control, which must be a widget.
    CellWindow(const cmcCellCapsule &opening, Qt::WindowFlags flags);

    // Builds the window's answer and hands it to AnswerCell; called once at
    // most, and not after Cancel.
    virtual void Deliver() = 0;

    // Sends the answer to the opening cell: a chosen entry of the window
    // style with `entry` and `text` (CodecOpen::kWindowAnswerStyle), then
    // releases the window.
    void AnswerCell(std::int32_t entry, const std::string &text);
    // Deliver unless cancelled or answered; then release.
    void Finish();
    void Cancel();
    void Release();
    bool Cancelled() const { return cancelled_; }
    bool Released() const { return released_; }

    void StartListening();
    // Before the window's sheet goes: its grid's going is no event for us.
    void StopListening();
    bool Listening() const { return listening_; }

    // The handler of the opening cell's sheet (the model's when it has
    // none) for the cells of the window's own sheet it does not handle.
    std::int32_t PassOn(indActiveCell *context, cmcCellCapsule &capsule, std::int32_t mode) const;

    // The window of the kind `Window` whose sheet (or its context menu, owned
    // by the sheet's grid) makes a handler request; null for another.
    template <class Window>
    static Window *AskedBy(const cmcCellCapsule &capsule)
    {
        QWidget *grid = gridOf(capsule);
        return grid != nullptr ? qobject_cast<Window *>(grid->window()) : nullptr;
    }
    static bool IsKey(const QEvent *event, std::initializer_list<int> keys);

private:
    static QWidget *gridOf(const cmcCellCapsule &capsule);
    static void onEvent(void *object, const cmcEvent &event);
    void handleEvent(const cmcEvent &event);

    QPointer<QWidget> owner_;
    cmcCellCapsule answer_;
    cmcCellHandler cellHandler_;
    bool answered_ = false;
    bool cancelled_ = false;
    bool listening_ = false;
    bool released_ = false;
};
