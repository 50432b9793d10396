#pragma once

#include "cells/CellHandler.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "sheets/cuiMenuClick.h"

#include <QPointer>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class cmcEvent;
class cmcGTex;
class cuiImageList;
class QAction;
class QMenu;
class QObject;
class QPoint;
class QWidget;

// Builds a menu from the text database: the main menu on a menu bar, a
// sheet's context menu, or the items under one entry of another menu. Every
// item is a cell description; the cell handler answers what a click does and
// which state the item shows (checked, hidden, disabled, caption), asked
// again each time a menu opens and whenever kEvMenuStates says so.
//
// The menu named M is read from "M_BasicCell" (line 0: the base cell of every
// item) and "M_Body" (one item per line up to the first line beginning with
// '#'). An item line is the nesting level (the characters before the first
// '+'), '+', then the cell description: its text is the caption ("&" marks
// the hot key, "-" makes a separator), the text after ':' in its identity the
// shortcut ("Ctrl+C", "Del", "Enter") and its image index the icon.
//
// Events: kEvMenuStates refreshes every item's state; kEvEmptySubmenu
// empties the submenu of the item whose label is the argument;
// kEvRebuildSubmenu fills that submenu from the key formed by the event's
// text and "_Body", the new items clicking through the builder given as the
// event's object, so that the main menu's edit entry behaves exactly like the
// current sheet's context menu. Menus ask kEvCurrentCellOfMenu (object = the
// root of the builder whose items they refresh) for the current cell of the
// sheet that owns that menu; a sheet answers with AnswerCurrentCell().
class cuiMenu
{
public:
    // ExecPopup found no chosen item.
    static constexpr std::int32_t kNoChoice = -1;

    // `root` is the menu bar or menu the items are built under; without one
    // the builder makes a popup menu for `owner` and owns it. `owner` goes to
    // the handler as the capsule's owner control (the main window, or the
    // sheet's grid). `click` replaces the builder's own click handling.
    cuiMenu(QWidget *owner, QWidget *root, cmcGTex &texts, std::string menuName,
            cmcCellHandler handler, cuiMenuClick click = {});
    ~cuiMenu();
    cuiMenu(const cuiMenu &) = delete;
    cuiMenu &operator=(const cuiMenu &) = delete;

    void SetSource(cmcGTex &texts, std::string menuName);
    // Items whose caption has no '&' get a hot key of their own (main menu).
    void SetAutoHotKeys(bool on) { autoHotKeys_ = on; }
    // Icons for the items' image indices; none by default.
    void SetImageList(const cuiImageList *images) { images_ = images; }

    // Empties the root and builds the whole menu again.
    void Build();

    // The first item, depth first from the root, whose cell has `label`.
    QAction *FindItemByLabel(std::int32_t label) const;
    // The items directly under `item` (the root when null), in menu order.
    std::vector<QAction *> Items(const QAction *item = nullptr) const;
    const cmcCellObj *ItemCell(const QAction *item) const;
    // Empties the item's submenu (the whole menu for null); their cells go.
    void ClearSubmenu(const QAction *item);
    // Asks the handler for the state of every item under `item` (the whole
    // menu for null), the item itself included.
    void RefreshStates(const QAction *item = nullptr);

    // The object that kEvCurrentCellOfMenu names for this builder's items.
    QWidget *Root() const { return root_; }
    // The root as a popup menu; null when the root is a menu bar.
    QMenu *PopupMenu() const;
    // Shows the popup at a screen position; a chosen item clicks as usual.
    void Popup(const QPoint &globalPos);
    // Shows the popup and waits; the label of the chosen item, or kNoChoice.
    // The chosen item's click handling is not run: the caller acts on it.
    std::int32_t ExecPopup(const QPoint &globalPos);

    // Cells held by the builder's items (one per item).
    std::size_t CellCount() const { return byAction_.size(); }

    // For a sheet answering kEvCurrentCellOfMenu: hands `cell` to the asking
    // menu, which copies it at once.
    static void AnswerCurrentCell(const cmcCellObj &cell);
    // The cell such an answer carries, or null.
    static const cmcCellObj *AnsweredCell(const std::vector<char> &data);

private:
    struct Item {
        Item *parent = nullptr;
        QPointer<QAction> action; // none for the root
        std::unique_ptr<cmcCellObj> cell;
        // The root of the builder these items belong to, asked for the origin.
        QObject *owner = nullptr;
        // The builder whose click handling serves the item; null for this one.
        cuiMenu *clickOwner = nullptr;
        QPointer<QMenu> submenu;
        QString caption; // before a hot key was added
        std::int32_t imageIndex = -1;
        std::vector<std::unique_ptr<Item>> children;
    };

    static void onEvent(void *object, const cmcEvent &event);
    static bool isLive(const void *menu);
    void handleEvent(const cmcEvent &event);

    Item *itemOf(const QAction *action) const;
    Item *findByLabel(Item &from, std::int32_t label) const;
    QWidget *containerOf(Item &item);
    QMenu *makeSubmenu(Item &item);
    void buildBody(Item &parent, const std::string &key, cuiMenu *clickOwner);
    Item *createItem(Item &parent, std::string_view description, cuiMenu *clickOwner);
    void removeChildren(Item &item);
    void forget(Item &item);
    void collect(Item &item, std::vector<QAction *> &actions) const;
    void refreshItem(Item &item, QObject *&lastOwner);
    void applyCaptions(Item &parent);
    void applyCaptionsBelow(Item &parent);
    void setImage(Item &item, std::int32_t index);
    void triggered(QAction *action);
    void click(const cmcCellObj &itemCell);
    void ownClick(const cmcCellObj &itemCell);
    bool askOrigin(QObject *itemOwner);

    QWidget *owner_;
    QPointer<QWidget> root_;
    QMetaObject::Connection rootShowConnection_;
    bool ownsRoot_ = false;
    cmcGTex *texts_;
    std::string menuName_;
    cmcCellHandler handler_;
    cuiMenuClick click_;
    const cuiImageList *images_ = nullptr;
    bool autoHotKeys_ = false;
    bool menuBar_ = false;
    bool choosing_ = false; // ExecPopup runs: clicks only report the choice
    cmcCellObj baseCell_;
    Item rootItem_;
    std::unordered_map<const QAction *, Item *> byAction_;
    indActiveCell activeCell_;
    cmcCellCapsule stateCapsule_;
    cmcCellObj originCell_;
    cmcCellCapsule originCapsule_;
    bool hasOrigin_ = false;
};
