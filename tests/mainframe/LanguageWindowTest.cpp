#include "FrameTestFixture.h"

#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "mainframe/cuiLanguage.h"
#include "platform/ProgramDir.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiMenu.h"
#include "sheets/cuiSheet.h"
#include "sheets/iuiSh_Mch.h"
#include "sheets/iuiTree.h"
#include "ui/WindowGeometry.h"
#include "windows/indFlector.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <functional>

using testing_support::readFile;
using testing_support::writeFile;

namespace {

const QStringList kEnglishMenus{"&File",  "&Edit",  "&View",     "&Port",
                                "&Clone", "&Model", "&Language", "&Help"};
const QStringList kLinguaMenus{"&Filo", "&Redige", "&Lingua", "&Auxilio"};

QStringList topMenuTitles(QMainWindow &form)
{
    QStringList titles;
    for (const QAction *action : form.menuBar()->actions())
        titles << action->text();
    return titles;
}

void press(QWidget &target, int key, const QString &text = {})
{
    QKeyEvent down(QEvent::KeyPress, key, {}, text);
    QApplication::sendEvent(&target, &down);
}

// Windows that released themselves go.
void settle() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The desktop program in a folder of its own with two languages: English
// from data/, and "Lingua", whose overlay is the fixture's few texts in
// front of the English ones (the first of two equal keys counts). A third
// language names an overlay that is not there.
class LanguageWindow : public FrameTest
{
protected:
    LanguageWindow()
    {
        const QString data = QString::fromStdString(testing_support::sourceDir() + "data/");
        const QString into = folder_.path() + "/";
        for (const char *name :
             {"QX7315C_ENG.OVL", "QX7315C_ENG_HLP.OVL", "QX7315C_LMR.vrc", "QX7315C_PMR.vrc"})
            QFile::copy(data + name, into + name);
        QDir().mkpath(into + "icons");
        for (const QString &icon : QDir(data + "icons").entryList(QDir::Files))
            QFile::copy(data + "icons/" + icon, into + "icons/" + icon);
        const std::string fixtures = testing_support::fixtureDir() + "language/";
        const std::string folder = into.toStdString();
        writeFile(folder + "QX7315C.OVL", readFile(fixtures + "QX7315C.OVL"));
        writeFile(folder + "QX7315C_LIN.OVL", readFile(fixtures + "lingua-texts.ovl") +
                                                  readFile(data.toStdString() + "QX7315C_ENG.OVL"));
        platform::setProgramDirectory(folder);
    }
    ~LanguageWindow() override
    {
        eventManager().Tick();
        form.reset();
        globals.reset();
        platform::setProgramDirectory({});
    }

    // The program as it starts, in English, with its first sheet open.
    void start()
    {
        settle();
        // The settings are saved as the globals go, and read by the next.
        if (globals)
            settings().languageNumber = 0;
        form.reset();
        globals.reset();
        openForm();
        ASSERT_EQ(settings().languageNumber, 0);
        view().Tick();
    }

    void focusSheet()
    {
        form->activateWindow();
        QApplication::processEvents();
        if (cuiSheet *sheet = view().CurrentSheet())
            sheet->Grid()->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }
    std::vector<QAction *> editEntryItems()
    {
        const cuiMenu &menu = *view().MainMenu();
        const QAction *edit = menu.FindItemByLabel(CL_Menu_Edit_Top);
        return edit != nullptr ? menu.Items(edit) : std::vector<QAction *>{};
    }

    // The menu's command, as the user chooses it.
    cuiLanguage *openDialog()
    {
        QAction *item = view().MainMenu()->FindItemByLabel(CL_Menu_Lang);
        if (item == nullptr)
            return nullptr;
        item->trigger();
        return view().LanguageWindow();
    }

    // The dialog's language cell.
    static const cmcCellObj *languageCell(cuiLanguage &dialog, GridCoord &at)
    {
        const cuiSheet &sheet = *dialog.Sheet();
        for (int row = 0; row < sheet.RowCount(); ++row) {
            for (int col = 0; col < sheet.ColCount(); ++col) {
                if (sheet.CellAt(col, row).label == CL_Langage_Select) {
                    at = {col, row};
                    return &sheet.CellAt(col, row);
                }
            }
        }
        return nullptr;
    }
    static std::string shownLanguage(cuiLanguage &dialog)
    {
        GridCoord at;
        const cmcCellObj *cell = languageCell(dialog, at);
        return cell != nullptr ? indCellHandler::TextOf(*cell, 0) : std::string();
    }

    // Enter on the language cell: the list of languages.
    static indFlector *openList(cuiLanguage &dialog)
    {
        GridCoord at;
        if (languageCell(dialog, at) == nullptr || !dialog.Sheet()->PutCursor(at.col, at.row))
            return nullptr;
        press(*dialog.Sheet()->Grid(), Qt::Key_Return, "\r");
        return dialog.findChild<indFlector *>();
    }

    // Picks the language `steps` entries down the list.
    static void choose(cuiLanguage &dialog, int steps)
    {
        indFlector *list = openList(dialog);
        ASSERT_NE(list, nullptr);
        cuiGrid &grid = *list->Sheet()->Grid();
        for (int i = 0; i < steps; ++i)
            press(grid, Qt::Key_Down);
        press(grid, Qt::Key_Return, "\r");
        settle();
    }

    QTemporaryDir folder_;
};

TEST_F(LanguageWindow, SameLanguageAndOkOnlyClosesTheWindow)
{
    start();
    const cuiSheet *before = view().CurrentSheet();
    ASSERT_NE(before, nullptr);
    const std::vector<QAction *> menusBefore = view().MainMenu()->Items();
    QPointer<cuiLanguage> dialog = openDialog();
    ASSERT_FALSE(dialog.isNull());
    EXPECT_EQ(dialog->windowTitle(), "Quillon(dPMR)");
    EXPECT_EQ(dialog->OkButton()->text(), "OK");
    EXPECT_EQ(dialog->CancelButton()->text(), "Cancel");
    EXPECT_TRUE(dialog->OkButton()->isDefault());
    EXPECT_EQ(shownLanguage(*dialog), "English");
    // The main window takes no input while the dialog is open.
    EXPECT_FALSE(form->isEnabled());
    EXPECT_TRUE(dialog->isEnabled());
    EXPECT_TRUE(dialog->Sheet()->Grid()->isEnabled());

    choose(*dialog, 0);
    EXPECT_EQ(settings().languageNumber, 0);
    dialog->OkButton()->click();
    settle();
    EXPECT_TRUE(dialog.isNull());
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(view().CurrentSheet(), before);
    EXPECT_EQ(view().MainMenu()->Items(), menusBefore) << "the menu was not rebuilt";
    EXPECT_EQ(topMenuTitles(*form), kEnglishMenus);
}

TEST_F(LanguageWindow, OnlyOkSwitchesTheRunningProgram)
{
    struct Case {
        const char *name;
        std::function<void(cuiLanguage &)> leave;
        int language;
        bool switched;
    } cases[] = {
        {"OK", [](cuiLanguage &d) { d.OkButton()->click(); }, 1, true},
        {"Cancel", [](cuiLanguage &d) { d.CancelButton()->click(); }, 0, false},
        {"Escape", [](cuiLanguage &d) { press(*d.Sheet()->Grid(), Qt::Key_Escape); }, 0, false},
        // The choice stays for the next start.
        {"the close button", [](cuiLanguage &d) { d.close(); }, 1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        start();
        const cuiSheet *before = view().CurrentSheet();
        cuiLanguage *window = openDialog();
        ASSERT_NE(window, nullptr);
        const QPointer<cuiLanguage> dialog(window);
        choose(*window, 1);
        EXPECT_EQ(settings().languageNumber, 1) << "a choice is the setting at once";
        EXPECT_EQ(shownLanguage(*window), "Lingua");
        EXPECT_EQ(topMenuTitles(*form), kEnglishMenus) << "but the texts wait";

        c.leave(*window);
        settle();
        EXPECT_TRUE(dialog.isNull());
        EXPECT_TRUE(form->isEnabled());
        EXPECT_EQ(settings().languageNumber, c.language);
        EXPECT_EQ(topMenuTitles(*form), c.switched ? kLinguaMenus : kEnglishMenus);
        EXPECT_EQ(form->windowTitle(), c.switched ? "Untitled[*] - Quillon(dPMR) Lingua"
                                                  : "Untitled[*] - Quillon(dPMR)");
        const QTreeWidgetItem *root = view().Tree()->View()->topLevelItem(0);
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(root->text(0).startsWith("Radio Lingua"), c.switched);
        EXPECT_EQ(model().HelpOverlayPath(),
                  platform::programDirectory() +
                      (c.switched ? "QX7315C_LIN_HLP.OVL" : "QX7315C_ENG_HLP.OVL"));
        if (c.switched)
            EXPECT_EQ(view().CurrentSheet(), nullptr) << "the sheet closed";
        else
            EXPECT_EQ(view().CurrentSheet(), before);
    }
}

// The rebuilt menu runs its commands: the language window opens again, now
// in the new language.
TEST_F(LanguageWindow, TheNewMenuOpensTheWindowInTheNewLanguage)
{
    start();
    focusSheet();
    ASSERT_FALSE(editEntryItems().empty()) << "the edit entry shows the sheet's commands";
    QPointer<cuiLanguage> dialog = openDialog();
    ASSERT_FALSE(dialog.isNull());
    choose(*dialog, 1);
    dialog->OkButton()->click();
    settle();
    eventManager().Tick();
    view().Tick();
    ASSERT_NE(view().CurrentSheet(), nullptr) << "the tick opens a sheet in the new texts";

    // The new menu's edit entry follows the new sheet and clicks through it:
    // the link's command opens the sheet it names.
    focusSheet();
    const std::vector<QAction *> items = editEntryItems();
    ASSERT_FALSE(items.empty());
    items.front()->trigger();
    EXPECT_EQ(view().CurrentCallText(), "GI_Sheet_Memory_CH_Top");

    dialog = openDialog();
    ASSERT_FALSE(dialog.isNull());
    EXPECT_EQ(dialog->windowTitle(), "Quillon(dPMR) Lingua");
    EXPECT_EQ(dialog->OkButton()->text(), "Bene");
    EXPECT_EQ(dialog->CancelButton()->text(), "Retro");
    EXPECT_EQ(dialog->Sheet()->CellAt(0, 0).GetText(), "Lingua");
    EXPECT_EQ(dialog->RememberedLanguage(), 1);
    dialog->CancelButton()->click();
    settle();
}

// Switching to a language whose overlay is missing would end the program at
// its first text; it is refused and the setting goes back.
TEST_F(LanguageWindow, ALanguageWithoutItsOverlayIsRefused)
{
    start();
    QPointer<cuiLanguage> dialog = openDialog();
    ASSERT_FALSE(dialog.isNull());
    choose(*dialog, 2);
    EXPECT_EQ(settings().languageNumber, 2);
    recorder.clear();
    dialog->OkButton()->click();
    settle();
    ASSERT_EQ(recorder.shown().size(), 1u);
    EXPECT_EQ(recorder.shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_NE(recorder.shown()[0].text.find("QX7315C_NONE.OVL"), std::string::npos);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(settings().languageNumber, 0);
    EXPECT_EQ(topMenuTitles(*form), kEnglishMenus);
}

TEST_F(LanguageWindow, TheListStartsOnTheLanguageAndEscapeKeepsIt)
{
    start();
    QPointer<cuiLanguage> dialog = openDialog();
    ASSERT_FALSE(dialog.isNull());
    QPointer<indFlector> list = openList(*dialog);
    ASSERT_FALSE(list.isNull());
    const auto *sheet = dynamic_cast<iuiSh_Mch *>(list->Sheet());
    ASSERT_NE(sheet, nullptr) << "a list sheet that follows the languages";
    EXPECT_EQ(sheet->List().entryCount, 3);
    const GridCoord current = sheet->CurrentCell();
    EXPECT_EQ(sheet->CellAt(current.col, current.row).label, Flex_Language_ChNo);
    EXPECT_EQ(sheet->CellAt(current.col, current.row).index, 0);

    cuiGrid &grid = *list->Sheet()->Grid();
    press(grid, Qt::Key_Down);
    press(grid, Qt::Key_Escape);
    settle();
    EXPECT_TRUE(list.isNull());
    EXPECT_EQ(settings().languageNumber, 0);
    EXPECT_EQ(shownLanguage(*dialog), "English");
    ASSERT_FALSE(dialog.isNull()) << "Escape in the list leaves the window open";

    // Space and Backspace on the language cell do nothing.
    press(*dialog->Sheet()->Grid(), Qt::Key_Space, " ");
    press(*dialog->Sheet()->Grid(), Qt::Key_Backspace, "\b");
    EXPECT_EQ(dialog->findChild<indFlector *>(), nullptr);
    EXPECT_EQ(settings().languageNumber, 0);
    dialog->CancelButton()->click();
    settle();
}

TEST_F(LanguageWindow, OpensCentredOverTheMainWindowAndInsideTheWorkArea)
{
    start();
    const WorkArea area = window_geometry::workAreaOf(form.get());
    struct Case {
        const char *name;
        QPoint mainWindowAt;
    } cases[] = {
        {"main window inside", {area.left + 20, area.top + 20}},
        {"main window beyond the bottom right", {area.right - 150, area.bottom - 100}},
        {"main window beyond the top left", {area.left - 600, area.top - 400}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        form->move(c.mainWindowAt);
        QPointer<cuiLanguage> dialog = openDialog();
        ASSERT_FALSE(dialog.isNull());
        const QRect frame = dialog->frameGeometry();
        EXPECT_GE(frame.left(), area.left);
        EXPECT_GE(frame.top(), area.top);
        EXPECT_LE(frame.left() + frame.width(), area.right);
        EXPECT_LE(frame.top() + frame.height(), area.bottom);
        const QRect main = form->frameGeometry();
        const bool mainInside = main.left() >= area.left && main.top() >= area.top &&
                                main.left() + main.width() <= area.right &&
                                main.top() + main.height() <= area.bottom;
        if (mainInside) {
            EXPECT_LE((frame.center() - main.center()).manhattanLength(), 2);
        }
        // The whole sheet is in view.
        const cuiGrid &grid = *dialog->Sheet()->Grid();
        EXPECT_EQ(grid.viewport()->width(), grid.geometry().cols().totalExtent());
        EXPECT_EQ(grid.viewport()->height(), grid.geometry().rows().totalExtent());
        dialog->CancelButton()->click();
        settle();
    }
}

} // namespace
