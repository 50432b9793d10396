#pragma once

#include <QLineEdit>

#include <functional>

// The in-place editor of a sheet: a borderless line on the grid's viewport
// over the cell being edited. The sheet sees every key before the editor
// does and may keep it; losing the focus (a click elsewhere) is reported so
// that the sheet can commit what was typed.
class SheetCellEditor : public QLineEdit
{
    Q_OBJECT

public:
    explicit SheetCellEditor(QWidget *parent) : QLineEdit(parent) {}

    std::function<void(int key, Qt::KeyboardModifiers modifiers, bool &handled)> onKey;
    std::function<void()> onFocusLost;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
