#include "FrameTestFixture.h"

#include "cells/CellLabels.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "mainframe/cuiHtmlHelp.h"
#include "platform/MessageService.h"
#include "sheets/cuiMenu.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"
#include "textdb/cmcHelpGTex.h"
#include "ui/HelpWindowPlacement.h"

#include "support/TestPaths.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <string>

namespace {

using platform::MessageIcon;

// The help bridge on a help page of the test's own: context 10 at the top,
// context 20 far below it, the English texts for the window size and the
// messages.
class HtmlHelp : public ::testing::Test
{
protected:
    HtmlHelp() : messages_(recorder_)
    {
        mainTextDatabase().Open(testing_support::sourceDir() + "data/QX7315C_ENG.OVL");
        std::string html = "<html><body><h1><a name=\"ctx10\"></a>Top</h1>";
        for (int i = 0; i < 80; ++i)
            html += "<p>Filler paragraph " + std::to_string(i) + ".</p>";
        html += "<h2><a name=\"ctx20\"></a>Deep</h2><p>The deep topic.</p></body></html>";
        testing_support::writeFile(page(), html);
    }

    std::string page() const { return folder_.path().toStdString() + "/help.html"; }
    std::string missing() const { return folder_.path().toStdString() + "/none.html"; }

    static WorkArea screenArea()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
    }

    QTemporaryDir folder_;
    platform::RecordingMessageService recorder_;
    platform::ScopedMessageService messages_;
    cuiHtmlHelp help_;
};

TEST_F(HtmlHelp, ContextResultsAndTheirMessages)
{
    const std::string caption = appTitle();
    struct Case {
        const char *name;
        bool exists;
        int context;
        cuiHtmlHelp::Result result;
        std::string message; // empty: none
        MessageIcon icon;
    } cases[] = {
        {"a context of the page", true, 20, cuiHtmlHelp::kShown, "", MessageIcon::None},
        {"a context the page lacks", true, 30, cuiHtmlHelp::kNoSuchContext,
         "There is no help for this item.", MessageIcon::Warning},
        {"context 0 of a cell without help", true, 0, cuiHtmlHelp::kNoSuchContext,
         "There is no help for this item.", MessageIcon::Warning},
        {"a help file that is not there", false, 20, cuiHtmlHelp::kCannotOpen,
         "The help file '" + missing() + "' cannot be opened.", MessageIcon::Error},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        recorder_.clear();
        cuiHtmlHelp help;
        EXPECT_EQ(help.ShowContext(c.exists ? page() : missing(), c.context, {400, 100}), c.result);
        const bool shown = c.result == cuiHtmlHelp::kShown;
        EXPECT_EQ(help.ContextWindow() != nullptr && help.ContextWindow()->isVisible(), shown);
        if (c.message.empty()) {
            EXPECT_TRUE(recorder_.shown().empty());
            continue;
        }
        ASSERT_EQ(recorder_.shown().size(), 1u);
        EXPECT_EQ(recorder_.shown()[0].caption, caption);
        EXPECT_EQ(recorder_.shown()[0].text, c.message);
        EXPECT_EQ(recorder_.shown()[0].icon, c.icon);
    }
}

TEST_F(HtmlHelp, TheContextWindowOpensAtTheCursorScrolledToTheAnchor)
{
    ASSERT_EQ(help_.ShowContext(page(), 20, {400, 100}), cuiHtmlHelp::kShown);
    QTextBrowser *window = help_.ContextWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->size(), QSize(480, 320)) << "the size the texts give";
    EXPECT_EQ(window->pos(),
              help_placement::position({400, 100}, window->frameGeometry().size(), screenArea()));
    EXPECT_EQ(window->source().fragment(), "ctx20");
    EXPECT_GT(window->verticalScrollBar()->value(), 0);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinMaxButtonsHint);
}

// The user moved and resized the window; the next request refills it and
// brings it to the cursor, keeping the user's size.
TEST_F(HtmlHelp, ARequestAgainPlacesTheWindowAgainKeepingItsSize)
{
    ASSERT_EQ(help_.ShowContext(page(), 20, {400, 100}), cuiHtmlHelp::kShown);
    QTextBrowser *window = help_.ContextWindow();
    const int deep = window->verticalScrollBar()->value();
    window->resize(300, 200);
    window->move(5, 5);

    const QPoint cursor(600, 500);
    ASSERT_EQ(help_.ShowContext(page(), 10, cursor), cuiHtmlHelp::kShown);
    EXPECT_EQ(help_.ContextWindow(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(300, 200));
    EXPECT_EQ(window->pos(),
              help_placement::position(cursor, window->frameGeometry().size(), screenArea()));
    EXPECT_EQ(window->source().fragment(), "ctx10");
    EXPECT_LT(window->verticalScrollBar()->value(), deep);
}

// A context the page lacks leaves the window that was open where it was,
// with what it showed.
TEST_F(HtmlHelp, AMissingContextLeavesTheOpenWindowAsItWas)
{
    ASSERT_EQ(help_.ShowContext(page(), 20, {400, 100}), cuiHtmlHelp::kShown);
    QTextBrowser *window = help_.ContextWindow();
    window->move(5, 5);
    EXPECT_EQ(help_.ShowContext(page(), 30, {600, 500}), cuiHtmlHelp::kNoSuchContext);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pos(), QPoint(5, 5));
    EXPECT_EQ(window->source().fragment(), "ctx20");
}

TEST_F(HtmlHelp, TheContentsOpenAtTheTop)
{
    ASSERT_EQ(help_.ShowContents(page()), cuiHtmlHelp::kShown);
    QTextBrowser *window = help_.ContentsWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->verticalScrollBar()->value(), 0);
    window->verticalScrollBar()->setValue(window->verticalScrollBar()->maximum());
    ASSERT_EQ(help_.ShowContents(page()), cuiHtmlHelp::kShown);
    EXPECT_EQ(window->verticalScrollBar()->value(), 0) << "again from the top";
    EXPECT_TRUE(recorder_.shown().empty());

    EXPECT_EQ(help_.ShowContents(missing()), cuiHtmlHelp::kCannotOpen);
    ASSERT_EQ(recorder_.shown().size(), 1u);
    EXPECT_EQ(recorder_.shown()[0].text, "The help file '" + missing() + "' cannot be opened.");
    EXPECT_EQ(recorder_.shown()[0].icon, MessageIcon::Error);
}

TEST_F(HtmlHelp, EscapeClosesBothHelpWindows)
{
    ASSERT_EQ(help_.ShowContents(page()), cuiHtmlHelp::kShown);
    ASSERT_EQ(help_.ShowContext(page(), 20, {5, 5}), cuiHtmlHelp::kShown);
    for (QTextBrowser *window : {help_.ContentsWindow(), help_.ContextWindow()}) {
        ASSERT_TRUE(window->isVisible());
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(window, &escape);
        EXPECT_FALSE(window->isVisible());
    }
}

// Every context the program's help overlay names has its page in the
// program's help file.
TEST_F(HtmlHelp, TheShippedHelpFileHasEveryContextOfTheShippedOverlay)
{
    const std::string data = testing_support::sourceDir() + "data/";
    cmcHelpGTex overlay;
    overlay.Open(data + "QX7315C_ENG_HLP.OVL");
    std::string line;
    int contexts = 0;
    for (int index = 0; overlay.TryGetLine("GI_AppItem_Context_ID", index, line) && line != "#";
         ++index, ++contexts) {
        const int context = std::stoi(line.substr(line.find('\t') + 1));
        EXPECT_EQ(help_.ShowContext(data + "QX7315C_ENG_Help.html", context, {400, 100}),
                  cuiHtmlHelp::kShown)
            << line;
    }
    EXPECT_GT(contexts, 0);
}

// The help menu's Contents and a cell's Help command reach the program's own
// help file through the window's help bridge.
class HelpCommands : public FrameTest
{};

TEST_F(HelpCommands, ShowTheProgramsHelpFile)
{
    openForm();
    QAction *contents = view().MainMenu()->FindItemByLabel(CL_Help_Contents);
    ASSERT_NE(contents, nullptr);
    contents->trigger();
    const QTextBrowser *window = view().HtmlHelp().ContentsWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QFileInfo(window->source().toLocalFile()).fileName(), "QX7315C_ENG_Help.html");

    cmcCellObj cell;
    cell.label = CL_Mch_FreqR;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.command = CL_PMenu_Help;
    indActiveCell active;
    MainWindowView::CellHandler()(&active, capsule, kHandlerAction);
    const QTextBrowser *popup = view().HtmlHelp().ContextWindow();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->source().fragment(), "ctx120");
    EXPECT_TRUE(shownTexts().empty());
}

} // namespace
