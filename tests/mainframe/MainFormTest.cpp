#include "FrameTestFixture.h"

#include "cells/EventCodes.h"
#include "channels/datCh.h"
#include "mainframe/AboutBox.h"
#include "mainframe/StatusPanel.h"
#include "mainframe/cuiInformation.h"
#include "platform/ProgramVersion.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "sheets/cuiToolBar.h"
#include "sheets/cuiTree.h"
#include "sheets/iuiTree.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"
#include "ui/WindowGeometry.h"
#include "ui/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QTreeWidget>

using platform::MessageResult;

namespace {

QStringList topMenuTitles(QMainWindow &form)
{
    QStringList titles;
    for (const QAction *action : form.menuBar()->actions())
        titles << action->text();
    return titles;
}

TEST(WorkArea, SavedWindowsComeBackWithinReachWithoutResizing)
{
    const WorkArea area{0, 30, 1024, 738};
    struct Case {
        const char *name;
        WindowBounds saved;
        WindowBounds expected;
    } cases[] = {
        {"inside stays", {100, 100, 800, 600}, {100, 100, 800, 600}},
        {"off to the right", {2000, 100, 800, 600}, {1008, 100, 800, 600}},
        {"below", {100, 900, 800, 600}, {100, 722, 800, 600}},
        {"off to the left", {-900, 100, 800, 600}, {-784, 100, 800, 600}},
        {"above the top", {100, -50, 800, 600}, {100, 30, 800, 600}},
        {"right and below", {5000, 5000, 300, 200}, {1008, 722, 300, 200}},
        // 16 pixels of the right edge inside the work area are enough.
        {"right edge just inside", {-784, 100, 800, 600}, {-784, 100, 800, 600}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(keepOnWorkArea(c.saved, area), c.expected);
    }
}

class MainForm : public FrameTest
{};

TEST_F(MainForm, OpensOnTheSettingsWithTitleLimitsAndPanels)
{
    settings().treeWidth = 180;
    settings().windowLeft = 100;
    settings().windowTop = 80;
    settings().windowWidth = 700;
    settings().windowHeight = 500;
    TForm1 &window = openForm();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Untitled[*] - Quillon(dPMR)");
    EXPECT_EQ(window.geometry(), QRect(100, 80, 700, 500));
    EXPECT_EQ(window.minimumSize(), QSize(TForm1::kMinimumWidth, TForm1::kMinimumHeight));
    window.resize(100, 50);
    EXPECT_GE(window.width(), 400);
    EXPECT_GE(window.height(), 200);

    EXPECT_EQ(topMenuTitles(window), QStringList({"&File", "&Edit", "&View", "&Port", "&Clone",
                                                  "&Model", "&Language", "&Help"}));
    const cuiToolBar *toolBar = view().ToolBar();
    ASSERT_NE(toolBar, nullptr);
    const QWidget *buttons = toolBar->Control();
    ASSERT_NE(buttons, nullptr);
    EXPECT_TRUE(buttons->isVisible());
    const QFrame *left = view().LeftPanel();
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->width(), 180);
    const iuiTree *tree = view().Tree();
    ASSERT_NE(tree, nullptr);
    const QTreeWidget *nodes = tree->View();
    ASSERT_NE(nodes, nullptr);
    const QTreeWidgetItem *root = nodes->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    // The model type's name follows the root's caption.
    EXPECT_EQ(root->text(0).toStdString(),
              "Radio" + mainTextDatabase().GetLine("GI_AppInd_ModelTree", model().ModelType()));
    const StatusPanel *status = view().Status();
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(view().MakerPanel(), nullptr);
}

TEST_F(MainForm, PlacementIsKeptOnTheWorkArea)
{
    settings().windowLeft = 100000;
    settings().windowTop = 100000;
    TForm1 &window = openForm();
    const WorkArea area = window_geometry::workAreaOf(&window);
    EXPECT_EQ(window.geometry().x(), area.right - 16);
    EXPECT_EQ(window.geometry().y(), area.bottom - 16);
    EXPECT_EQ(window.width(), settings().windowWidth);
}

TEST_F(MainForm, MakerSwitchAddsTheMakerPanel)
{
    recorder.queueAnswer(MessageResult::Ok);
    openForm({"quillon", "/lantern"});
    ASSERT_NE(view().MakerPanel(), nullptr);
    EXPECT_EQ(view().MakerPanel()->Text().toStdString(),
              mainTextDatabase().GetFirstLine("GI_StatusPanel_Maker"));
    EXPECT_EQ(view().MakerPanel()->Background(), QColor(128, 0, 0));
    EXPECT_EQ(view().MakerPanel()->TextColour(), QColor(Qt::white));
}

TEST_F(MainForm, StatusEventPaintsTextInItsColours)
{
    openForm();
    StatusPanel *status = view().Status();
    ASSERT_NE(status, nullptr);
    // Text in plain red on the system's window colour.
    eventManager().SendText(kEvStatusText, reinterpret_cast<void *>(std::uintptr_t{0x0000FF}),
                            0x80000005, "Value out of range");
    EXPECT_EQ(status->Text(), QString("Value out of range"));
    EXPECT_EQ(status->TextColour(), QColor(255, 0, 0));
    const QColor window = status->palette().color(QPalette::Base);
    EXPECT_EQ(status->Background(), window);
    const QImage picture = status->grab().toImage();
    EXPECT_EQ(picture.pixelColor(picture.width() - 2, picture.height() / 2), window);
}

TEST_F(MainForm, AboutEventOpensTheAboutBoxWithoutBlocking)
{
    openForm();
    eventManager().Post(kEvAbout);
    eventManager().Tick();
    AboutBox *box = form->findChild<AboutBox *>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(box->windowTitle().toStdString(),
              mainTextDatabase().GetFirstLine("GI_App_About_Caption"));
    EXPECT_EQ(box->CloseButton()->text().toStdString(),
              mainTextDatabase().GetFirstLine("GI_App_About_Button"));
    EXPECT_TRUE(box->CloseButton()->isDefault());
    const std::string about = box->Information()->text().toStdString();
    EXPECT_NE(about.find(std::string("Version ") + platform::programVersion() + ", built " +
                         platform::programBuildDate()),
              std::string::npos)
        << about;
    box->CloseButton()->click();
    QApplication::processEvents();
    EXPECT_EQ(form->findChild<AboutBox *>(), nullptr);
}

TEST_F(MainForm, CloseQueryAsksForModifiedDataAndStoresThePlacement)
{
    struct Case {
        const char *name;
        MessageResult answer;
        bool closes;
    } cases[] = {
        {"cancel keeps the program running", MessageResult::Cancel, false},
        {"no closes without saving", MessageResult::No, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        form.reset();
        settings().windowWidth = 640;
        TForm1 &window = openForm();
        window.setGeometry(50, 60, 720, 480);
        model().MarkModified();
        recorder.clear();
        recorder.queueAnswer(c.answer);
        EXPECT_EQ(window.close(), c.closes);
        ASSERT_EQ(recorder.shown().size(), 1u);
        EXPECT_EQ(recorder.shown()[0].buttons, platform::MessageButtons::YesNoCancel);
        EXPECT_EQ(window.isVisible(), !c.closes);
        EXPECT_EQ(settings().windowWidth, c.closes ? 720 : 640);
        if (c.closes) {
            EXPECT_EQ(settings().windowLeft, 50);
            EXPECT_EQ(settings().windowTop, 60);
            EXPECT_EQ(settings().windowHeight, 480);
            EXPECT_EQ(settings().treeWidth, view().LeftPanel()->width());
        }
    }
}

TEST_F(MainForm, TitleFollowsTheDocument)
{
    openForm();
    EXPECT_EQ(form->windowTitle(), "Untitled[*] - Quillon(dPMR)");
    const std::string path = sandbox.folder() + "/Fleet A.vrc";
    ASSERT_TRUE(model().SaveTo(path));
    EXPECT_EQ(form->windowTitle(), "Fleet A.vrc[*] - Quillon(dPMR)");
    EXPECT_FALSE(form->isWindowModified());
    // The window's own mark for unsaved changes.
    model().MarkModified();
    EXPECT_TRUE(form->isWindowModified());
    model().New();
    EXPECT_EQ(form->windowTitle(), "Untitled[*] - Quillon(dPMR)");
    EXPECT_FALSE(form->isWindowModified());
}

TEST_F(MainForm, WarningCheckRunsOnceAfterItsDelay)
{
    openForm();
    view().ArmWarningCheck();
    EXPECT_TRUE(view().WarningCheckArmed());
    for (int i = 0; i < 200 && view().WarningCheckArmed(); ++i) {
        QThread::msleep(5);
        view().Tick();
    }
    EXPECT_FALSE(view().WarningCheckArmed());
}

// The check marks the sheet of a problem in the tree, and the folded node
// above it; the countdown after an edit and unfolding check again.
TEST_F(MainForm, TheTreeShowsWhereTheWarningCheckFoundProblems)
{
    settings().modelType = 0;
    openForm();
    iuiTree &tree = *view().Tree();
    QTreeWidgetItem *channels =
        tree.FindNodeBySuffix("[St_ChBank]GI_Sheet_Mch_Conv_Lmr_KCOOP_Rep,Bank 0");
    ASSERT_NE(channels, nullptr);
    QTreeWidgetItem *above = channels->parent();
    ASSERT_NE(above, nullptr);
    above->setExpanded(true);
    EXPECT_EQ(tree.Overlay(channels), cuiTree::kNoOverlay);

    // A repeater channel on one frequency (a warning) far below the band
    // (an error): the error shows.
    datCh channel(&model().WorkingImage());
    channel.setBankChannelCount(0, 1);
    channel.decode(datCh::channelKind(), 0);
    channel.FreqR = channel.FreqT = 50000000;
    channel.OperationMode = 0;
    channel.encode(datCh::kKindNone, 0);
    view().ArmWarningCheck();
    for (int i = 0; i < 200 && view().WarningCheckArmed(); ++i) {
        QThread::msleep(5);
        view().Tick();
    }
    EXPECT_EQ(tree.Overlay(channels), cuiTree::kOverlayError);
    EXPECT_EQ(tree.Overlay(above), cuiTree::kNoOverlay);

    above->setExpanded(false);
    EXPECT_EQ(tree.Overlay(above), cuiTree::kOverlayError);
    above->setExpanded(true);
    EXPECT_EQ(tree.Overlay(above), cuiTree::kNoOverlay);
    EXPECT_EQ(tree.Overlay(channels), cuiTree::kOverlayError);

    // Fixed, only the warning remains.
    channel.decode(datCh::channelKind(), 0);
    channel.FreqR = channel.FreqT = 146520000;
    channel.encode(datCh::kKindNone, 0);
    model().WarningCheck();
    EXPECT_EQ(tree.Overlay(channels), cuiTree::kOverlayWarning);
}

TEST_F(MainForm, SheetsReopenWhereTheUserLeftThem)
{
    openForm();
    // Nothing open: the tick opens the sheet of the selected tree node.
    view().CloseCurrentSheet();
    view().Tick();
    EXPECT_EQ(view().CurrentCallText(), "GI_Sheet_Top");

    view().OpenSheet("GI_Sheet_CloneInfo");
    cuiSheet *info = view().CurrentSheet();
    ASSERT_NE(info, nullptr);
    ASSERT_TRUE(info->PutCursor(1, 5));
    view().OpenSheet("GI_Sheet_Top");
    const SheetHistory::Entry *left = view().History().Find("GI_Sheet_CloneInfo");
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->col, 1);
    EXPECT_EQ(left->row, 5);
    // The closed sheet goes on the next tick, not while its own call may run.
    view().Tick();
    view().OpenSheet("GI_Sheet_CloneInfo");
    cuiSheet *again = view().CurrentSheet();
    ASSERT_NE(again, nullptr);
    const cuiGrid *grid = again->Grid();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->row(), 5);
    EXPECT_EQ(grid->col(), 1);
    EXPECT_EQ(view().History().Count(), 2);
}

TEST_F(MainForm, InformationWindowShowsItsSheetOverTheBlockedMainWindow)
{
    openForm();
    cuiInformation *opened = cuiInformation::Open(form.get(), appTitle(), mainTextDatabase(),
                                                  "GI_Sheet_CloneInfo", &form->TreeImages());
    ASSERT_NE(opened, nullptr);
    QPointer<cuiInformation> window(opened);
    EXPECT_EQ(opened->windowTitle(), "Quillon(dPMR)");
    EXPECT_TRUE(opened->isModal());
    const cuiSheet *sheet = opened->Sheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->RowCount(), 12);
    QPushButton *ok = opened->OkButton();
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text().toStdString(), mainTextDatabase().GetLine("GI_AppInd_Button_OkCancel", 0));
    ok->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

} // namespace
