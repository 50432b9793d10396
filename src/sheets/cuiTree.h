#pragma once

#include "cells/cmcCellObj.h"

#include <QPointer>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class cmcEvent;
class cmcGTex;
class cuiImageList;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// The navigation tree: every sheet of the radio as a node built from the
// text database. A node is a cell description whose text is the caption,
// whose image index the picture and whose suffix (the text after ':' in its
// identity) the descriptor of the sheet the node opens.
//
// The tree named T is read from "T_BasicCell" (line 0: the base cell of every
// node; its font and colour become the tree's) and "T_Body" (one node per
// line up to the first line beginning with '#', nested by the characters
// before the '+' as in menus). A node whose cell carries user flag N belongs
// to tree category N; the model removes categories that do not apply.
//
// kEvControlClosing naming the tree's owner control as its argument destroys
// the view.
class cuiTree
{
public:
    static constexpr int kNoOverlay = -1;
    static constexpr int kOverlayError = 0;   // picture 11
    static constexpr int kOverlayWarning = 1; // picture 10
    static constexpr int kErrorImage = 11;
    static constexpr int kWarningImage = 10;

    // Receives the selected node's cell (null when none is selected) once
    // the selection has rested for the change delay.
    using SelectionCallback = std::function<void(const cmcCellObj *cell)>;

    cuiTree(QWidget *owner, cmcGTex &texts, std::string treeName, const cuiImageList *images);
    virtual ~cuiTree();
    cuiTree(const cuiTree &) = delete;
    cuiTree &operator=(const cuiTree &) = delete;

    // Builds every node, expands the first one.
    void Build();
    // One node from a body line (level characters and '+' included) under
    // `parent`, or at the top level for null.
    QTreeWidgetItem *AddNode(QTreeWidgetItem *parent, std::string_view line);

    // The first node, in node order, whose suffix equals `suffix`.
    QTreeWidgetItem *FindNodeBySuffix(std::string_view suffix) const;
    const cmcCellObj *NodeCell(const QTreeWidgetItem *node) const;
    const cmcCellObj *SelectedCell() const;
    // The node after `node` in node order (children first), or null.
    static QTreeWidgetItem *NextNode(const QTreeWidgetItem *node);
    // The node after the node's branch in node order, or null.
    static QTreeWidgetItem *NextBranch(const QTreeWidgetItem *node);

    // Deletes the node's children; their cells go with them.
    void ClearChildren(QTreeWidgetItem *node);
    // Deletes every node of tree category `category` (user flag 0-8) with
    // its branch.
    void RemoveCategory(int category);

    // Pictures by image index; the selected picture shows while the node is
    // selected.
    void SetNodeImages(QTreeWidgetItem *node, int image, int selectedImage);
    int NodeImage(const QTreeWidgetItem *node) const;
    int NodeSelectedImage(const QTreeWidgetItem *node) const;

    // Warning and error marks over the pictures of the node and its branch.
    void ClearOverlays(QTreeWidgetItem *node);
    // Marks each node of the branch whose suffix is in `names`, and every
    // collapsed node between it and `node` (inclusive); returns the number
    // of named nodes marked.
    int Mark(QTreeWidgetItem *node, const std::vector<std::string> &names, int overlay);
    int Overlay(const QTreeWidgetItem *node) const;
    // The warning check's result: clears the marks of the first node's
    // branch, then marks every top-level branch, last to first, with the
    // warning list and then the error list, so that an error mark replaces
    // a warning mark on the same node.
    void MarkProblems(const std::vector<std::string> &errors,
                      const std::vector<std::string> &warnings);

    void SetChangeDelay(int milliseconds);
    int ChangeDelay() const { return changeDelay_; }
    void SetSelectionCallback(SelectionCallback callback) { onSelection_ = std::move(callback); }
    // A selection change waits out the change delay; tests and callers that
    // cannot wait run it at once.
    bool ChangePending() const { return changeTimer_.isActive(); }
    void FlushChange();

    // Null once kEvControlClosing destroyed the view.
    QTreeWidget *View() const { return view_; }
    std::size_t CellCount() const { return cells_.size(); }
    cmcGTex &Texts() const { return *texts_; }

protected:
    void setCaption(QTreeWidgetItem *node, const std::string &text);

private:
    static void onEvent(void *object, const cmcEvent &event);
    void destroyView();
    void forgetBranch(QTreeWidgetItem *node);
    void deleteNode(QTreeWidgetItem *node);
    void updateIcon(QTreeWidgetItem *node);
    void setOverlay(QTreeWidgetItem *node, int overlay);
    void selectionChanged();
    void reportSelection();
    template <class Visit>
    void forBranch(QTreeWidgetItem *node, Visit visit) const;

    QWidget *owner_;
    cmcGTex *texts_;
    std::string treeName_;
    const cuiImageList *images_;
    QPointer<QTreeWidget> view_;
    cmcCellObj baseCell_;
    std::unordered_map<const QTreeWidgetItem *, std::unique_ptr<cmcCellObj>> cells_;
    int changeDelay_ = 0;
    QTimer changeTimer_;
    SelectionCallback onSelection_;
};
