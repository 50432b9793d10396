#include "MenusFixture.h"

#include "cells/EventCodes.h"
#include "cells/cmcEvent.h"
#include "sheets/cuiImageList.h"
#include "sheets/iuiTree.h"

#include <QTreeWidget>

#include <memory>

namespace {

class NavigationTree : public MenusFixture
{
protected:
    NavigationTree()
    {
        tree.Build();
        tree.View()->expandAll();
    }

    QTreeWidgetItem *node(const char *suffix) const
    {
        QTreeWidgetItem *found = tree.FindNodeBySuffix(suffix);
        EXPECT_NE(found, nullptr) << suffix;
        return found;
    }
    QTreeWidgetItem *byCaption(const QString &caption) const
    {
        const auto found = tree.View()->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }
    // Every caption in node order, one level of indentation per depth.
    QStringList outline() const
    {
        QStringList lines;
        for (QTreeWidgetItem *each = tree.View()->topLevelItem(0); each != nullptr;
             each = cuiTree::NextNode(each)) {
            int depth = 0;
            for (QTreeWidgetItem *up = each->parent(); up != nullptr; up = up->parent())
                ++depth;
            lines.append(QString(depth, u' ') + each->text(0));
        }
        return lines;
    }

    QWidget panel{&window};
    cuiImageList images = cuiImageList::TreeImages(testing_support::sourceDir() + "data/icons/");
    iuiTree tree{&panel, texts(), "GI_Tree_Test", &images};
};

TEST_F(NavigationTree, NodesNestAndCarryTheirCells)
{
    EXPECT_EQ(outline(), QStringList({"Radio", " Memory channels", " Settings", "  Common",
                                      "  Maker only", "   Maker detail", "  Display", " Digital",
                                      "  Talk groups", "Adjustment"}));
    QTreeWidgetItem *common = node("[St_Common]GI_Sheet_Common,");
    EXPECT_EQ(common->text(0), "Common");
    EXPECT_EQ(tree.NodeImage(common), 2);
    EXPECT_EQ(tree.NodeSelectedImage(common), 2);
    EXPECT_EQ(tree.NodeCell(common)->label, CallSheet);
    EXPECT_FALSE(common->icon(0).isNull());
    EXPECT_EQ(tree.CellCount(), 10u);
    // The base cell's colour and font are the tree's.
    const QTreeWidget *view = tree.View();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(view->palette().color(QPalette::Text), QColor(0, 0, 128));
    EXPECT_TRUE(view->font().bold());
    EXPECT_EQ(view->font().pixelSize(), 15);
}

TEST_F(NavigationTree, OnlyTheFirstNodeIsExpandedAfterBuilding)
{
    iuiTree fresh(&panel, texts(), "GI_Tree_Test", &images);
    fresh.Build();
    EXPECT_TRUE(fresh.View()->topLevelItem(0)->isExpanded());
    EXPECT_FALSE(fresh.FindNodeBySuffix("GI_Sheet_Digital")->isExpanded());
}

TEST_F(NavigationTree, FindingBySuffixIsExact)
{
    EXPECT_EQ(node("GI_Sheet_Display")->text(0), "Display");
    EXPECT_EQ(tree.FindNodeBySuffix("GI_Sheet_Displa"), nullptr);
    EXPECT_EQ(tree.FindNodeBySuffix(""), nullptr);
}

TEST_F(NavigationTree, RemovingACategoryTakesItsBranches)
{
    tree.RemoveCategory(0);
    tree.RemoveCategory(1);
    EXPECT_EQ(outline(), QStringList({"Radio", " Memory channels", " Settings", "  Common",
                                      "  Display", " Digital", "  Talk groups"}));
    EXPECT_EQ(tree.CellCount(), 7u);
    tree.ClearChildren(byCaption("Radio"));
    EXPECT_EQ(outline(), QStringList({"Radio"}));
    EXPECT_EQ(tree.CellCount(), 1u);
}

TEST_F(NavigationTree, MarksShowOnCollapsedNodesUpToTheStartingNode)
{
    QTreeWidgetItem *radio = byCaption("Radio");
    QTreeWidgetItem *settings = byCaption("Settings");
    QTreeWidgetItem *maker = byCaption("Maker only");
    maker->setExpanded(false);
    settings->setExpanded(false);
    const int marked = tree.Mark(radio, {"GI_Sheet_MakerDetail", "GI_Sheet_TalkGroups", "nothing"},
                                 cuiTree::kOverlayWarning);
    EXPECT_EQ(marked, 2);
    EXPECT_EQ(tree.Overlay(node("GI_Sheet_MakerDetail")), cuiTree::kOverlayWarning);
    EXPECT_EQ(tree.Overlay(maker), cuiTree::kOverlayWarning);
    EXPECT_EQ(tree.Overlay(settings), cuiTree::kOverlayWarning);
    // Expanded nodes show the mark on the node itself only.
    EXPECT_EQ(tree.Overlay(radio), cuiTree::kNoOverlay);
    EXPECT_EQ(tree.Overlay(byCaption("Digital")), cuiTree::kNoOverlay);
    EXPECT_EQ(tree.Overlay(node("GI_Sheet_Display")), cuiTree::kNoOverlay);

    tree.ClearOverlays(radio);
    radio->setExpanded(false);
    // Marking from inside a folded branch leaves the nodes above the start.
    EXPECT_EQ(tree.Mark(settings, {"GI_Sheet_Display"}, cuiTree::kOverlayError), 1);
    EXPECT_EQ(tree.Overlay(settings), cuiTree::kOverlayError);
    EXPECT_EQ(tree.Overlay(radio), cuiTree::kNoOverlay);
    // The mark is drawn over the node's picture.
    const QImage marked_ = node("GI_Sheet_Display")->icon(0).pixmap(16).toImage();
    const QImage plain = images.pixmap(2).toImage();
    EXPECT_NE(marked_, plain);
    tree.ClearOverlays(settings);
    EXPECT_EQ(node("GI_Sheet_Display")->icon(0).pixmap(16).toImage(), plain);
}

TEST_F(NavigationTree, CheckResultsMarkSheetsAndTheirFoldedAncestorsWithErrorsOnTop)
{
    QTreeWidgetItem *settings = byCaption("Settings");
    QTreeWidgetItem *display = node("GI_Sheet_Display");
    QTreeWidgetItem *talkGroups = node("GI_Sheet_TalkGroups");
    settings->setExpanded(false);
    // The display sheet fails two checks: the error wins.
    tree.MarkProblems({"GI_Sheet_Display"}, {"GI_Sheet_Display", "GI_Sheet_TalkGroups"});
    EXPECT_EQ(tree.Overlay(display), cuiTree::kOverlayError);
    EXPECT_EQ(tree.Overlay(settings), cuiTree::kOverlayError);
    EXPECT_EQ(tree.Overlay(talkGroups), cuiTree::kOverlayWarning);
    EXPECT_EQ(tree.Overlay(byCaption("Radio")), cuiTree::kNoOverlay);

    // Unfolded and checked again, only the sheet itself keeps the mark.
    settings->setExpanded(true);
    tree.MarkProblems({"GI_Sheet_Display"}, {});
    EXPECT_EQ(tree.Overlay(settings), cuiTree::kNoOverlay);
    EXPECT_EQ(tree.Overlay(display), cuiTree::kOverlayError);
    EXPECT_EQ(tree.Overlay(talkGroups), cuiTree::kNoOverlay);

    // A clean check clears every mark.
    tree.MarkProblems({}, {});
    EXPECT_EQ(tree.Overlay(display), cuiTree::kNoOverlay);
}

TEST_F(NavigationTree, ASelectionOpensItsSheetOnceTheDelayHasPassed)
{
    std::vector<std::string> opened;
    tree.SetSelectionCallback([&](const cmcCellObj *cell) {
        opened.push_back(cell != nullptr && cell->suffix ? *cell->suffix : "(none)");
    });
    tree.SetChangeDelay(300);
    tree.View()->setCurrentItem(node("GI_Sheet_Display"));
    tree.View()->setCurrentItem(node("GI_Sheet_Digital"));
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(tree.ChangePending());
    // Only where the selection came to rest counts.
    tree.FlushChange();
    EXPECT_EQ(opened, std::vector<std::string>{"GI_Sheet_Digital"});
    EXPECT_FALSE(tree.ChangePending());
    tree.FlushChange();
    EXPECT_EQ(opened.size(), 1u);

    tree.SetChangeDelay(0);
    tree.View()->setCurrentItem(byCaption("Settings"));
    EXPECT_EQ(opened.back(), "(none)");
    EXPECT_EQ(tree.SelectedCell(), tree.NodeCell(byCaption("Settings")));
}

TEST_F(NavigationTree, ClosingTheOwnerControlDestroysTheView)
{
    eventManager().Send(kEvControlClosing, nullptr, reinterpret_cast<std::intptr_t>(&window));
    EXPECT_NE(tree.View(), nullptr);
    eventManager().Send(kEvControlClosing, nullptr, reinterpret_cast<std::intptr_t>(&panel));
    EXPECT_EQ(tree.View(), nullptr);
    EXPECT_EQ(tree.CellCount(), 0u);
    EXPECT_EQ(tree.FindNodeBySuffix("GI_Sheet_Display"), nullptr);
    EXPECT_EQ(tree.SelectedCell(), nullptr);
    eventManager().Post(kEvRefreshBankImages);
    eventManager().Tick();
}

TEST(BankNode, NumbersComeFromTheBankSheetsTag)
{
    struct Case {
        const char *descriptor;
        int bank;
    };
    const Case cases[] = {
        {"[St_ChBank]GI_Sheet_ChBank,Bank 0", 0},
        {"[St_ChBank]GI_Sheet_ChBank,Bank_12", 12},
        {"[St_ChBank]GI_Sheet_ChBank,Bank  7 ", 7},
        {"[St_ChBank]GI_Sheet_ChBank,Banks", -1},
        {"[St_ChBank]GI_Sheet_ChBank,Bank", -1},
        {"[St_Common]GI_Sheet_ChBank,Bank 0", -1},
        {"GI_Sheet_ChBank,Bank 0", -1},
        {"[St_ChBank]GI_Sheet_ChBank", -1},
    };
    for (const Case &c : cases) {
        cmcCellObj cell;
        cell.suffix = c.descriptor;
        EXPECT_EQ(iuiTree::BankNumber(cell), c.bank) << c.descriptor;
    }
    EXPECT_EQ(iuiTree::BankNumber(cmcCellObj()), -1);
}

class ChannelBranch : public NavigationTree
{
protected:
    static void recordRefresh(void *object, const cmcEvent &event)
    {
        if (event.type == kEvRefreshBankSheet)
            ++*static_cast<int *>(object);
    }

    QTreeWidgetItem *bankNode() const { return tree.FindBankNode(0); }
};

TEST_F(ChannelBranch, TheBranchGetsOneNodePerBankNamedByEvent41)
{
    int refreshes = 0;
    eventManager().Register(&ChannelBranch::recordRefresh, &refreshes);
    tree.RebuildChannelBranch(0x3, "Conv_Lmr_KCOOP_Rep", 1);
    EXPECT_EQ(outline(), QStringList({"Radio", " Memory channels", "  Channels %", " Settings",
                                      "  Common", "  Display", " Digital", "  Talk groups"}));
    ASSERT_NE(bankNode(), nullptr);
    EXPECT_EQ(*tree.NodeCell(bankNode())->suffix,
              "[St_ChBank]GI_Sheet_ChBank_Conv_Lmr_KCOOP_Rep,Bank 0");
    EXPECT_EQ(refreshes, 0);
    eventManager().Tick();
    EXPECT_EQ(bankNode()->text(0), "All memory channels");
    EXPECT_EQ(refreshes, 1);
    // Built again, the branch does not grow.
    tree.RebuildChannelBranch(0, "Conv_Pmr_Dpmr_Rep", 1);
    EXPECT_EQ(node("GI_Sheet_Memory_CH_Top")->childCount(), 1);
    eventManager().Unregister(&ChannelBranch::recordRefresh, &refreshes);
}

TEST_F(ChannelBranch, BankPicturesFollowTheBanksKindAndContents)
{
    tree.RebuildChannelBranch(0, "Conv_Lmr_KCOOP_Rep", 1);
    struct Case {
        iuiTree::BankInfo bank;
        int image;
    };
    const Case cases[] = {
        {{false, false, 0}, 4}, {{false, false, 3}, 5}, {{false, true, 0}, 6},
        {{false, true, 1}, 7},  {{true, true, 0}, 8},   {{true, false, 32}, 9},
    };
    for (const Case &c : cases) {
        tree.SetBankSources([&](int bank) { return bank == 0 ? c.bank : iuiTree::BankInfo{}; },
                            nullptr);
        eventManager().Post(kEvRefreshBankImages);
        eventManager().Tick();
        EXPECT_EQ(tree.NodeImage(bankNode()), c.image);
        EXPECT_EQ(tree.NodeSelectedImage(bankNode()), c.image);
    }
    // Other nodes keep theirs.
    EXPECT_EQ(tree.NodeImage(node("GI_Sheet_Memory_CH_Top")), 1);
}

TEST_F(ChannelBranch, BankNamesAreRereadFromTheImage)
{
    tree.RebuildChannelBranch(0, "Conv_Lmr_KCOOP_Rep", 1);
    eventManager().Tick();
    std::string stored = "Fire brigade";
    tree.SetBankSources(nullptr, [&](int) { return stored; });
    eventManager().Post(kEvRereadBankName, nullptr, 0);
    eventManager().Tick();
    EXPECT_EQ(bankNode()->text(0), "Fire brigade");
    stored = std::string(40, 'x');
    eventManager().Post(kEvRereadBankName, nullptr, 0);
    eventManager().Tick();
    EXPECT_EQ(bankNode()->text(0), QString(34, u'x'));

    // A bank without a node changes nothing.
    const QStringList before = outline();
    eventManager().PostText(kEvBankCaption, nullptr, 3, "Nowhere");
    eventManager().Post(kEvRereadBankName, nullptr, 5);
    eventManager().Tick();
    EXPECT_EQ(outline(), before);
}

} // namespace
