#include "sheets/cuiMenu.h"

#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "sheets/cuiImageList.h"
#include "sheets/cuiMenuBody.h"
#include "sheets/cuiMenuHotKeys.h"
#include "sheets/cuiMenuShortcut.h"
#include "textdb/cmcGTex.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <cstring>
#include <unordered_set>

namespace {

// Builders alive right now. Events and items carry builders as plain
// pointers, and a posted event may arrive after its builder went.
std::unordered_set<const void *> &liveMenus()
{
    static std::unordered_set<const void *> menus;
    return menus;
}

constexpr int flagChecked = 0;
constexpr int flagHidden = 1;
constexpr int flagDisabled = 2;
constexpr int flagCaption = 3;

} // namespace

cuiMenu::cuiMenu(QWidget *owner, QWidget *root, cmcGTex &texts, std::string menuName,
                 cmcCellHandler handler, cuiMenuClick click)
    : owner_(owner), root_(root), texts_(&texts), menuName_(std::move(menuName)), handler_(handler),
      click_(click)
{
    if (root_ == nullptr) {
        root_ = new QMenu(owner);
        ownsRoot_ = true;
    }
    menuBar_ = qobject_cast<QMenuBar *>(root_.data()) != nullptr;
    if (auto *menu = qobject_cast<QMenu *>(root_.data()))
        rootShowConnection_ =
            QObject::connect(menu, &QMenu::aboutToShow, menu, [this] { RefreshStates(); });
    originCapsule_.cell = &originCell_;
    liveMenus().insert(this);
    eventManager().Register(&cuiMenu::onEvent, this);
}

cuiMenu::~cuiMenu()
{
    eventManager().Unregister(&cuiMenu::onEvent, this);
    liveMenus().erase(this);
    // A root menu the builder does not own outlives it; it must not call back.
    QObject::disconnect(rootShowConnection_);
    removeChildren(rootItem_);
    if (ownsRoot_)
        delete root_.data();
}

void cuiMenu::SetSource(cmcGTex &texts, std::string menuName)
{
    texts_ = &texts;
    menuName_ = std::move(menuName);
}

bool cuiMenu::isLive(const void *menu) { return liveMenus().count(menu) != 0; }

void cuiMenu::onEvent(void *object, const cmcEvent &event)
{
    static_cast<cuiMenu *>(object)->handleEvent(event);
}

void cuiMenu::handleEvent(const cmcEvent &event)
{
    switch (event.type) {
    case kEvMenuStates:
        RefreshStates();
        break;
    case kEvEmptySubmenu:
        if (Item *item = findByLabel(rootItem_, static_cast<std::int32_t>(event.argument)))
            removeChildren(*item);
        break;
    case kEvRebuildSubmenu: {
        Item *item = findByLabel(rootItem_, static_cast<std::int32_t>(event.argument));
        if (item == nullptr)
            break;
        // A posted fill only serves a submenu that is still empty when it
        // arrives; a sheet's own items sent meanwhile stay, and two posts
        // never give the entry twice.
        if (event.delivery == cmcEvent::kPosted && !item->children.empty())
            break;
        removeChildren(*item);
        auto *clickOwner = isLive(event.object) ? static_cast<cuiMenu *>(event.object) : nullptr;
        buildBody(*item, event.text() + "_Body", clickOwner);
        break;
    }
    default:
        break;
    }
}

void cuiMenu::Build()
{
    removeChildren(rootItem_);
    baseCell_ = cmcCellObj();
    baseCell_.Parse(texts_->GetFirstLine(menuName_ + "_BasicCell"), nullptr, nullptr, false);
    buildBody(rootItem_, menuName_ + "_Body", nullptr);
}

void cuiMenu::buildBody(Item &parent, const std::string &key, cuiMenu *clickOwner)
{
    const std::vector<std::string> lines = cuiMenuBody::ReadLines(*texts_, key);
    auto create = [this, clickOwner](Item *under, std::string_view description) {
        return createItem(*under, description, clickOwner);
    };
    cuiMenuBody::Build(lines, 0, &parent, create);
    applyCaptionsBelow(parent);
}

void cuiMenu::applyCaptionsBelow(Item &parent)
{
    applyCaptions(parent);
    for (auto &child : parent.children)
        applyCaptionsBelow(*child);
}

cuiMenu::Item *cuiMenu::createItem(Item &parent, std::string_view description, cuiMenu *clickOwner)
{
    auto item = std::make_unique<Item>();
    item->parent = &parent;
    item->cell = std::make_unique<cmcCellObj>();
    item->cell->Parse(description, nullptr, &baseCell_, false);
    item->clickOwner = clickOwner;
    // Items built for another builder count as its items when the origin
    // cell is asked for.
    item->owner = clickOwner != nullptr ? clickOwner->Root() : Root();
    item->caption = QString::fromStdString(item->cell->GetText());

    QWidget *container = containerOf(parent);
    auto *action = new QAction(container);
    action->setSeparator(item->caption == QLatin1String("-"));
    if (item->cell->suffix) {
        action->setShortcuts(menuShortcutFromText(*item->cell->suffix));
        // Context-menu items only show their keys: the sheet acts on keys
        // itself, and the main menu's edit entry carries the same ones.
        action->setShortcutContext(menuBar_ ? Qt::WindowShortcut : Qt::WidgetShortcut);
    }
    item->action = action;
    setImage(*item, item->cell->imageIndex);
    container->addAction(action);
    QObject::connect(action, &QAction::triggered, action, [this, action] { triggered(action); });
    byAction_[action] = item.get();
    // A menu bar shows menus: its entries get theirs at once, even empty.
    if (menuBar_ && &parent == &rootItem_)
        makeSubmenu(*item);
    parent.children.push_back(std::move(item));
    return parent.children.back().get();
}

QWidget *cuiMenu::containerOf(Item &item)
{
    if (&item == &rootItem_)
        return root_;
    return item.submenu != nullptr ? item.submenu.data() : makeSubmenu(item);
}

QMenu *cuiMenu::makeSubmenu(Item &item)
{
    auto *submenu = new QMenu(root_);
    item.submenu = submenu;
    item.action->setMenu(submenu);
    Item *target = &item;
    QObject::connect(submenu, &QMenu::aboutToShow, submenu, [this, target] {
        // The item may have gone with a rebuild; only a known one is asked.
        if (target->action != nullptr && itemOf(target->action) == target)
            RefreshStates(target->action);
    });
    return submenu;
}

void cuiMenu::setImage(Item &item, std::int32_t index)
{
    item.imageIndex = index;
    if (item.action != nullptr && images_ != nullptr)
        item.action->setIcon(images_->icon(index));
}

cuiMenu::Item *cuiMenu::itemOf(const QAction *action) const
{
    const auto found = byAction_.find(action);
    return found != byAction_.end() ? found->second : nullptr;
}

cuiMenu::Item *cuiMenu::findByLabel(Item &from, std::int32_t label) const
{
    for (const auto &child : from.children) {
        if (child->cell->label == label)
            return child.get();
        if (Item *found = findByLabel(*child, label))
            return found;
    }
    return nullptr;
}

QAction *cuiMenu::FindItemByLabel(std::int32_t label) const
{
    Item *item = findByLabel(const_cast<Item &>(rootItem_), label);
    return item != nullptr ? item->action.data() : nullptr;
}

std::vector<QAction *> cuiMenu::Items(const QAction *item) const
{
    const Item *parent = item == nullptr ? &rootItem_ : itemOf(item);
    std::vector<QAction *> actions;
    if (parent != nullptr) {
        for (const auto &child : parent->children)
            actions.push_back(child->action);
    }
    return actions;
}

const cmcCellObj *cuiMenu::ItemCell(const QAction *item) const
{
    const Item *found = itemOf(item);
    return found != nullptr ? found->cell.get() : nullptr;
}

void cuiMenu::ClearSubmenu(const QAction *item)
{
    Item *target = item == nullptr ? &rootItem_ : itemOf(item);
    if (target != nullptr)
        removeChildren(*target);
}

// The actions may be in the middle of their own click (a command that
// rebuilds the menu), so they leave their menus now and are deleted later.
void cuiMenu::removeChildren(Item &item)
{
    for (auto &child : item.children)
        forget(*child);
    item.children.clear();
}

void cuiMenu::forget(Item &item)
{
    for (auto &child : item.children)
        forget(*child);
    byAction_.erase(item.action.data());
    if (QAction *action = item.action) {
        QObject::disconnect(action, nullptr, nullptr, nullptr);
        const QList<QObject *> holders = action->associatedObjects();
        for (QObject *holder : holders) {
            if (auto *widget = qobject_cast<QWidget *>(holder))
                widget->removeAction(action);
        }
        action->deleteLater();
    }
    if (QMenu *submenu = item.submenu)
        submenu->deleteLater();
}

void cuiMenu::collect(Item &item, std::vector<QAction *> &actions) const
{
    if (item.action != nullptr)
        actions.push_back(item.action);
    for (auto &child : item.children)
        collect(*child, actions);
}

void cuiMenu::RefreshStates(const QAction *item)
{
    Item *start = item == nullptr ? &rootItem_ : itemOf(item);
    if (start == nullptr)
        return;
    // The handler may change the menu while it is asked (an empty edit entry
    // asks for its no-item entry), so the walk goes over a list taken first
    // and skips items that went meanwhile.
    std::vector<QAction *> actions;
    collect(*start, actions);
    // Each refresh asks afresh for the sheet's current cell: it may have
    // moved since the last one.
    QObject *lastOwner = nullptr;
    hasOrigin_ = false;
    for (QAction *action : actions) {
        if (Item *found = itemOf(action))
            refreshItem(*found, lastOwner);
    }
    for (QAction *action : actions) {
        if (Item *found = itemOf(action); found != nullptr && !found->children.empty())
            applyCaptions(*found);
    }
    if (item == nullptr)
        applyCaptions(rootItem_);
    else if (Item *again = itemOf(item))
        applyCaptions(*again->parent);
}

void cuiMenu::refreshItem(Item &item, QObject *&lastOwner)
{
    stateCapsule_.Reset();
    stateCapsule_.ownerControl = owner_;
    stateCapsule_.cell = item.cell.get();
    if (item.owner != lastOwner) {
        hasOrigin_ = askOrigin(item.owner);
        lastOwner = item.owner;
    }
    if (hasOrigin_)
        stateCapsule_.origin = &originCapsule_;
    cmcCellObj &cell = *item.cell;
    for (int flag = flagChecked; flag <= flagCaption; ++flag)
        cell.SetUserFlag(flag, false);
    QAction *action = item.action;
    if (handler_ != nullptr)
        handler_(&activeCell_, stateCapsule_, kHandlerDraw);
    // The handler may have emptied the menu around the item.
    if (action == nullptr || itemOf(action) != &item)
        return;
    action->setCheckable(cell.UserFlag(flagChecked));
    action->setChecked(cell.UserFlag(flagChecked));
    action->setVisible(!cell.UserFlag(flagHidden));
    action->setEnabled(!cell.UserFlag(flagDisabled));
    if (cell.UserFlag(flagCaption))
        item.caption = QString::fromStdString(cell.GetText());
    if (cell.imageIndex != item.imageIndex)
        setImage(item, cell.imageIndex);
}

bool cuiMenu::askOrigin(QObject *itemOwner)
{
    const cmcEvAns *answer = eventManager().Query(kEvCurrentCellOfMenu, itemOwner);
    const cmcCellObj *cell = answer != nullptr ? AnsweredCell(answer->data) : nullptr;
    if (cell == nullptr)
        return false;
    originCell_ = *cell;
    originCapsule_.cell = &originCell_;
    return true;
}

// Captions change with a refresh (recent files), so the hot keys of a level
// are worked out again from the captions the items have now.
void cuiMenu::applyCaptions(Item &parent)
{
    QStringList captions;
    for (const auto &child : parent.children)
        captions.append(child->caption);
    if (autoHotKeys_)
        captions = withHotKeys(captions);
    for (std::size_t i = 0; i < parent.children.size(); ++i) {
        QAction *action = parent.children[i]->action;
        const QString &caption = captions[static_cast<qsizetype>(i)];
        if (action != nullptr && !action->isSeparator() && action->text() != caption)
            action->setText(caption);
    }
}

QMenu *cuiMenu::PopupMenu() const { return qobject_cast<QMenu *>(root_.data()); }

void cuiMenu::Popup(const QPoint &globalPos)
{
    if (QMenu *menu = PopupMenu())
        menu->popup(globalPos);
}

std::int32_t cuiMenu::ExecPopup(const QPoint &globalPos)
{
    QMenu *menu = PopupMenu();
    if (menu == nullptr)
        return kNoChoice;
    choosing_ = true;
    QAction *chosen = menu->exec(globalPos);
    choosing_ = false;
    const cmcCellObj *cell = chosen != nullptr ? ItemCell(chosen) : nullptr;
    return cell != nullptr ? cell->label : kNoChoice;
}

void cuiMenu::triggered(QAction *action)
{
    const Item *item = itemOf(action);
    if (item == nullptr || choosing_)
        return;
    // The click may rebuild this menu; the cell handed on must outlive that.
    const cmcCellObj cell = *item->cell;
    cuiMenu *owner = item->clickOwner != nullptr ? item->clickOwner : this;
    if (isLive(owner))
        owner->click(cell);
}

void cuiMenu::click(const cmcCellObj &itemCell)
{
    if (click_.bound())
        click_(itemCell);
    else
        ownClick(itemCell);
}

void cuiMenu::ownClick(const cmcCellObj &itemCell)
{
    const cmcEvAns *answer = eventManager().Query(kEvCurrentCellOfMenu, nullptr);
    const cmcCellObj *current = answer != nullptr ? AnsweredCell(answer->data) : nullptr;
    cuiMenuClick::SendEnter(handler_, owner_, itemCell, current);
    // The handler may have destroyed this builder (a language change
    // rebuilds the main menu from a new one).
    if (isLive(this))
        RefreshStates();
}

void cuiMenu::AnswerCurrentCell(const cmcCellObj &cell)
{
    const cmcCellObj *pointer = &cell;
    eventManager().AnswerData(&pointer, sizeof pointer);
}

const cmcCellObj *cuiMenu::AnsweredCell(const std::vector<char> &data)
{
    if (data.size() != sizeof(const cmcCellObj *))
        return nullptr;
    const cmcCellObj *cell = nullptr;
    std::memcpy(&cell, data.data(), sizeof cell);
    return cell;
}
