#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

class cmcCellCapsule;
class cmcGTex;
class cuiImageList;
class cuiSheet;
struct cmcEvent;

// The selection list of a cell whose value is chosen from a list: a
// borderless window just below the cell showing a sheet of the text
// database in popup mode. Choosing an entry (Enter, a click) answers the
// cell and closes the list. Escape, a click elsewhere, the end of pending
// edits (kEvFinishEdits) and the cell's grid going away (kEvControlClosing)
// close it without an answer. The window frees itself once it closes.
class cuiFlector : public QWidget
{
    Q_OBJECT

public:
    // The list `sheetKey` for the cell of `opening`, on its entry labelled
    // `style` with the index `current`; null when the capsule names no
    // owner grid.
    static cuiFlector *Open(const cmcCellCapsule &opening, std::int32_t style, std::int32_t current,
                            cmcGTex &texts, const std::string &sheetKey);
    ~cuiFlector() override;
    cuiFlector(const cuiFlector &) = delete;
    cuiFlector &operator=(const cuiFlector &) = delete;

    cuiSheet *Sheet() const { return sheet_.get(); }
    // The grid whose cell opened the list.
    QWidget *Owner() const { return owner_; }

protected:
    cuiFlector(QWidget *owner, cmcGTex &texts, std::string sheetKey, const cuiImageList *images);
    // Builds the sheet, fits the window to it, scrolls to the current
    // entry, puts the window at the cell and starts listening.
    void Start(const cmcCellCapsule &opening, std::int32_t style, std::int32_t current);
    // The list sheet, built in `container` and not yet shown.
    virtual std::unique_ptr<cuiSheet> CreateSheet(QWidget *container, const cmcCellCapsule &opening,
                                                  std::int32_t style, std::int32_t current);

    cmcGTex &Texts() const { return texts_; }
    const std::string &SheetKey() const { return sheetKey_; }
    const cuiImageList *Images() const { return images_; }

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static void onEvent(void *object, const cmcEvent &event);
    void handleEvent(const cmcEvent &event);
    void fitToSheet();
    void showCurrentEntry();
    void release();

    QPointer<QWidget> owner_;
    cmcGTex &texts_;
    const std::string sheetKey_;
    const cuiImageList *images_;
    std::unique_ptr<cuiSheet> sheet_;
    bool listening_ = false;
    bool released_ = false;
};
