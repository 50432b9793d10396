#include "sheets/SheetCellEditor.h"

#include <QFocusEvent>
#include <QKeyEvent>

void SheetCellEditor::keyPressEvent(QKeyEvent *event)
{
    bool handled = false;
    if (onKey)
        onKey(event->key(), event->modifiers(), handled);
    if (handled) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// A popup (the editor's own context menu) takes the focus only for a moment.
void SheetCellEditor::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && onFocusLost)
        onFocusLost();
}
