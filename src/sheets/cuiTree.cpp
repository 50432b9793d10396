#include "sheets/cuiTree.h"

#include "cells/CellColours.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "sheets/cuiImageList.h"
#include "sheets/cuiMenuBody.h"
#include "textdb/cmcGTex.h"

#include <QHeaderView>
#include <QPainter>
#include <QPalette>
#include <QTreeWidget>

#include <algorithm>

namespace {

constexpr int imageRole = Qt::UserRole + 1;
constexpr int selectedImageRole = Qt::UserRole + 2;
constexpr int overlayRole = Qt::UserRole + 3;

// The system colours of cell descriptions, as the palette has them.
constexpr QPalette::ColorRole systemRoles[] = {
    QPalette::Button,
    QPalette::Window,
    QPalette::Highlight,
    QPalette::Mid,
    QPalette::Window,
    QPalette::Base,
    QPalette::Shadow,
    QPalette::WindowText,
    QPalette::Text,
    QPalette::HighlightedText,
    QPalette::Button,
    QPalette::Button,
    QPalette::Dark,
    QPalette::Highlight,
    QPalette::HighlightedText,
    QPalette::Button,
    QPalette::Dark,
    QPalette::PlaceholderText,
    QPalette::ButtonText,
    QPalette::WindowText,
    QPalette::Light,
};

QColor colourOf(std::uint32_t value, const QPalette &palette)
{
    if ((value & kSystemColour) != 0) {
        const std::uint32_t index = value & 0xFF;
        if (index < std::size(systemRoles))
            return palette.color(systemRoles[index]);
        return palette.color(QPalette::Base);
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QFont fontOf(const CellFont &cellFont, QFont font)
{
    if (!cellFont.face.empty())
        font.setFamily(QString::fromStdString(cellFont.face));
    // Negative heights are character heights in pixels, positive ones cell
    // heights; both are near enough a pixel size for the tree.
    if (cellFont.height() != 0)
        font.setPixelSize(std::abs(cellFont.height()));
    font.setBold((cellFont.style & CellFont::kBold) != 0);
    font.setItalic((cellFont.style & CellFont::kItalic) != 0);
    font.setUnderline((cellFont.style & CellFont::kUnderline) != 0);
    font.setStrikeOut((cellFont.style & CellFont::kStrikeOut) != 0);
    if (cellFont.pitch == CellFont::Pitch::Fixed) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    return font;
}

int intData(const QTreeWidgetItem *node, int role, int otherwise)
{
    const QVariant value = node->data(0, role);
    return value.isValid() ? value.toInt() : otherwise;
}

} // namespace

cuiTree::cuiTree(QWidget *owner, cmcGTex &texts, std::string treeName, const cuiImageList *images)
    : owner_(owner), texts_(&texts), treeName_(std::move(treeName)), images_(images)
{
    view_ = new QTreeWidget(owner);
    view_->setHeaderHidden(true);
    view_->setColumnCount(1);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    if (images_ != nullptr)
        view_->setIconSize(images_->imageSize());
    changeTimer_.setSingleShot(true);
    QObject::connect(&changeTimer_, &QTimer::timeout, view_, [this] { reportSelection(); });
    QObject::connect(view_, &QTreeWidget::currentItemChanged, view_,
                     [this] { selectionChanged(); });
    eventManager().Register(&cuiTree::onEvent, this);
}

cuiTree::~cuiTree()
{
    eventManager().Unregister(&cuiTree::onEvent, this);
    destroyView();
}

void cuiTree::onEvent(void *object, const cmcEvent &event)
{
    auto *tree = static_cast<cuiTree *>(object);
    if (event.type == kEvControlClosing &&
        event.argument == reinterpret_cast<std::intptr_t>(tree->owner_))
        tree->destroyView();
}

void cuiTree::destroyView()
{
    changeTimer_.stop();
    cells_.clear();
    if (QTreeWidget *view = view_) {
        view->hide();
        QObject::disconnect(view, nullptr, nullptr, nullptr);
        delete view;
    }
}

void cuiTree::Build()
{
    if (view_ == nullptr)
        return;
    view_->clear();
    cells_.clear();
    baseCell_ = cmcCellObj();
    baseCell_.Parse(texts_->GetFirstLine(treeName_ + "_BasicCell"), nullptr, nullptr, false);
    QPalette palette = view_->palette();
    palette.setColor(QPalette::Base, colourOf(baseCell_.background, palette));
    if (const CellFont *font = baseCell_.FontInUse()) {
        palette.setColor(QPalette::Text, colourOf(font->colour, palette));
        view_->setFont(fontOf(*font, view_->font()));
    }
    // The selected sheet stays marked while the focus is in the sheet.
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    view_->setPalette(palette);

    const std::vector<std::string> lines = cuiMenuBody::ReadLines(*texts_, treeName_ + "_Body");
    auto create = [this](QTreeWidgetItem *parent, std::string_view description) {
        return AddNode(parent, description);
    };
    cuiMenuBody::Build(lines, 0, static_cast<QTreeWidgetItem *>(nullptr), create);
    if (QTreeWidgetItem *first = view_->topLevelItem(0))
        first->setExpanded(true);
}

QTreeWidgetItem *cuiTree::AddNode(QTreeWidgetItem *parent, std::string_view line)
{
    if (view_ == nullptr)
        return nullptr;
    auto cell = std::make_unique<cmcCellObj>();
    cell->Parse(cuiMenuBody::Description(line), nullptr, &baseCell_, false);
    auto *node = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(view_);
    node->setText(0, QString::fromStdString(cell->GetText()));
    const int image = cell->imageIndex;
    cells_[node] = std::move(cell);
    SetNodeImages(node, image, image);
    return node;
}

QTreeWidgetItem *cuiTree::NextNode(const QTreeWidgetItem *node)
{
    if (node == nullptr)
        return nullptr;
    if (node->childCount() > 0)
        return node->child(0);
    return NextBranch(node);
}

QTreeWidgetItem *cuiTree::NextBranch(const QTreeWidgetItem *node)
{
    for (const QTreeWidgetItem *at = node; at != nullptr; at = at->parent()) {
        if (QTreeWidgetItem *parent = at->parent()) {
            const int index = parent->indexOfChild(const_cast<QTreeWidgetItem *>(at));
            if (index + 1 < parent->childCount())
                return parent->child(index + 1);
        } else if (QTreeWidget *tree = at->treeWidget()) {
            const int index = tree->indexOfTopLevelItem(const_cast<QTreeWidgetItem *>(at));
            return tree->topLevelItem(index + 1);
        }
    }
    return nullptr;
}

template <class Visit>
void cuiTree::forBranch(QTreeWidgetItem *node, Visit visit) const
{
    visit(node);
    for (int i = 0; i < node->childCount(); ++i)
        forBranch(node->child(i), visit);
}

QTreeWidgetItem *cuiTree::FindNodeBySuffix(std::string_view suffix) const
{
    if (view_ == nullptr)
        return nullptr;
    for (QTreeWidgetItem *node = view_->topLevelItem(0); node != nullptr; node = NextNode(node)) {
        const cmcCellObj *cell = NodeCell(node);
        if (cell != nullptr && cell->suffix && *cell->suffix == suffix)
            return node;
    }
    return nullptr;
}

const cmcCellObj *cuiTree::NodeCell(const QTreeWidgetItem *node) const
{
    const auto found = cells_.find(node);
    return found != cells_.end() ? found->second.get() : nullptr;
}

const cmcCellObj *cuiTree::SelectedCell() const
{
    return view_ != nullptr ? NodeCell(view_->currentItem()) : nullptr;
}

void cuiTree::forgetBranch(QTreeWidgetItem *node)
{
    forBranch(node, [this](QTreeWidgetItem *each) { cells_.erase(each); });
}

void cuiTree::deleteNode(QTreeWidgetItem *node)
{
    forgetBranch(node);
    delete node;
}

void cuiTree::ClearChildren(QTreeWidgetItem *node)
{
    if (node == nullptr)
        return;
    while (node->childCount() > 0)
        deleteNode(node->child(node->childCount() - 1));
}

void cuiTree::RemoveCategory(int category)
{
    if (view_ == nullptr)
        return;
    std::vector<QTreeWidgetItem *> doomed;
    QTreeWidgetItem *node = view_->topLevelItem(0);
    while (node != nullptr) {
        const cmcCellObj *cell = NodeCell(node);
        if (cell != nullptr && cell->UserFlag(category)) {
            // Its branch goes with it.
            doomed.push_back(node);
            node = NextBranch(node);
        } else {
            node = NextNode(node);
        }
    }
    for (QTreeWidgetItem *each : doomed)
        deleteNode(each);
}

void cuiTree::SetNodeImages(QTreeWidgetItem *node, int image, int selectedImage)
{
    if (node == nullptr)
        return;
    node->setData(0, imageRole, image);
    node->setData(0, selectedImageRole, selectedImage);
    updateIcon(node);
}

int cuiTree::NodeImage(const QTreeWidgetItem *node) const { return intData(node, imageRole, -1); }

int cuiTree::NodeSelectedImage(const QTreeWidgetItem *node) const
{
    return intData(node, selectedImageRole, -1);
}

int cuiTree::Overlay(const QTreeWidgetItem *node) const
{
    return intData(node, overlayRole, kNoOverlay);
}

void cuiTree::updateIcon(QTreeWidgetItem *node)
{
    if (images_ == nullptr)
        return;
    const int overlay = Overlay(node);
    const QPixmap mark = overlay == kOverlayError     ? images_->pixmap(kErrorImage)
                         : overlay == kOverlayWarning ? images_->pixmap(kWarningImage)
                                                      : QPixmap();
    auto picture = [&](int index) {
        QPixmap pixmap = images_->pixmap(index);
        if (pixmap.isNull() || mark.isNull())
            return pixmap;
        QPainter painter(&pixmap);
        painter.drawPixmap(0, 0, mark);
        return pixmap;
    };
    QIcon icon;
    const QPixmap normal = picture(NodeImage(node));
    const QPixmap selected = picture(NodeSelectedImage(node));
    if (!normal.isNull())
        icon.addPixmap(normal, QIcon::Normal);
    if (!selected.isNull())
        icon.addPixmap(selected, QIcon::Selected);
    node->setIcon(0, icon);
}

void cuiTree::setOverlay(QTreeWidgetItem *node, int overlay)
{
    if (Overlay(node) == overlay)
        return;
    node->setData(0, overlayRole, overlay);
    updateIcon(node);
}

void cuiTree::ClearOverlays(QTreeWidgetItem *node)
{
    if (node != nullptr)
        forBranch(node, [this](QTreeWidgetItem *each) { setOverlay(each, kNoOverlay); });
}

int cuiTree::Mark(QTreeWidgetItem *node, const std::vector<std::string> &names, int overlay)
{
    if (node == nullptr)
        return 0;
    int marked = 0;
    forBranch(node, [&](QTreeWidgetItem *each) {
        const cmcCellObj *cell = NodeCell(each);
        if (cell == nullptr || !cell->suffix ||
            std::find(names.begin(), names.end(), *cell->suffix) == names.end())
            return;
        setOverlay(each, overlay);
        ++marked;
        // A folded branch shows its problems on the nodes that stay in sight.
        for (QTreeWidgetItem *above = each; above != node;) {
            above = above->parent();
            if (above == nullptr)
                break;
            if (!above->isExpanded())
                setOverlay(above, overlay);
        }
    });
    return marked;
}

void cuiTree::MarkProblems(const std::vector<std::string> &errors,
                           const std::vector<std::string> &warnings)
{
    if (view_ == nullptr || view_->topLevelItemCount() == 0)
        return;
    ClearOverlays(view_->topLevelItem(0));
    for (int top = view_->topLevelItemCount() - 1; top >= 0; --top) {
        QTreeWidgetItem *node = view_->topLevelItem(top);
        Mark(node, warnings, kOverlayWarning);
        Mark(node, errors, kOverlayError);
    }
}

void cuiTree::setCaption(QTreeWidgetItem *node, const std::string &text)
{
    node->setText(0, QString::fromStdString(text));
}

void cuiTree::SetChangeDelay(int milliseconds) { changeDelay_ = std::max(0, milliseconds); }

void cuiTree::selectionChanged()
{
    if (changeDelay_ <= 0) {
        reportSelection();
        return;
    }
    changeTimer_.start(changeDelay_);
}

void cuiTree::FlushChange()
{
    if (!changeTimer_.isActive())
        return;
    changeTimer_.stop();
    reportSelection();
}

void cuiTree::reportSelection()
{
    if (onSelection_)
        onSelection_(SelectedCell());
}
