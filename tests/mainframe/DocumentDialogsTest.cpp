#include "FrameTestFixture.h"

#include "platform/FatalError.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QFileDialog>
#include <QFileInfo>

using platform::MessageResult;

namespace {

// What the file dialogs were asked to show, and the answers they gave.
struct ScriptedChooser {
    struct Asked {
        QFileDialog::AcceptMode mode;
        QFileDialog::FileMode fileMode;
        QString directory;
        QStringList filters;
        QString suffix;
        QStringList selected;
    };
    std::vector<std::string> answers;
    std::vector<Asked> asked;

    MainWindowView::FileChooser chooser()
    {
        return [this](QFileDialog &dialog, std::string &path) {
            asked.push_back({dialog.acceptMode(), dialog.fileMode(),
                             dialog.directory().absolutePath(), dialog.nameFilters(),
                             dialog.defaultSuffix(), dialog.selectedFiles()});
            if (answers.empty())
                return false;
            path = answers.front();
            answers.erase(answers.begin());
            return !path.empty();
        };
    }
};

class DocumentDialogs : public FrameTest
{
protected:
    DocumentDialogs()
    {
        openForm();
        view().SetFileChooser(files.chooser());
        recorder.clear();
    }
    std::string path(const std::string &name) const { return sandbox.folder() + "/" + name; }
    std::string saveWritePrompt(const std::string &name) const
    {
        return platform::formatText(
            mainTextDatabase().GetFirstLine("GI_Mess_Confirm_WriteFile").c_str(), name);
    }

    ScriptedChooser files;
};

TEST_F(DocumentDialogs, OpenAndSaveAsShowTheOverlaysFilterInTheDefaultDirectory)
{
    const std::string file = path("radio.vrc");
    ASSERT_TRUE(model().SaveTo(file));
    files.answers = {file, path("copy")};
    model().Open();
    model().SaveAs();
    ASSERT_EQ(files.asked.size(), 2u);
    const auto &open = files.asked[0];
    EXPECT_EQ(open.mode, QFileDialog::AcceptOpen);
    EXPECT_EQ(open.fileMode, QFileDialog::ExistingFile);
    EXPECT_EQ(open.directory.toStdString(), sandbox.folder());
    EXPECT_EQ(open.filters.join(";;").toStdString(),
              mainTextDatabase().GetLine("GI_Sys_Dialog_FOpen", 1));
    const auto &save = files.asked[1];
    EXPECT_EQ(save.mode, QFileDialog::AcceptSave);
    EXPECT_EQ(save.suffix.toStdString(), mainTextDatabase().GetLine("GI_Sys_Dialog_FOpen", 0));
    ASSERT_EQ(save.selected.size(), 1);
    EXPECT_EQ(QFileInfo(save.selected[0]).fileName(), "radio.vrc");
    EXPECT_EQ(model().FilePath(), path("copy"));
    EXPECT_EQ(form->windowTitle(), "copy[*] - Quillon(dPMR)");
    EXPECT_FALSE(view().BusyCursorShown());
    EXPECT_TRUE(recorder.shown().empty());
}

TEST_F(DocumentDialogs, ModifiedDocumentAsksBeforeNewOpenAndClose)
{
    struct Case {
        const char *name;
        MessageResult answer;
        std::vector<std::string> fileAnswers;
        bool proceeds;
        std::size_t saveDialogs;
    } cases[] = {
        {"cancel stops", MessageResult::Cancel, {}, false, 0},
        {"no discards", MessageResult::No, {}, true, 0},
        {"yes saves an untitled document under a new name",
         MessageResult::Yes,
         {"saved.vrc"},
         true,
         1},
        {"yes with the save dialog cancelled stops", MessageResult::Yes, {""}, false, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        recorder.queueAnswer(MessageResult::No);
        model().New();
        files.asked.clear();
        model().MarkModified();
        recorder.clear();
        recorder.queueAnswer(c.answer);
        files.answers.clear();
        for (const std::string &name : c.fileAnswers)
            files.answers.push_back(name.empty() ? "" : path(name));
        model().New();
        EXPECT_EQ(shownTexts(), std::vector<std::string>{saveWritePrompt("Untitled")});
        EXPECT_EQ(files.asked.size(), c.saveDialogs);
        EXPECT_EQ(model().IsModified(), !c.proceeds);
        EXPECT_EQ(form->windowTitle(), "Untitled[*] - Quillon(dPMR)");
    }
}

TEST_F(DocumentDialogs, ReopeningTheOpenFileAfterChangesSavesUnderAnotherName)
{
    const std::string file = path("current.vrc");
    ASSERT_TRUE(model().SaveTo(file));
    model().MarkModified();
    recorder.queueAnswer(MessageResult::Yes);
    files.answers = {file, path("elsewhere.vrc")};
    model().Open();
    EXPECT_EQ(shownTexts(), std::vector<std::string>{
                                mainTextDatabase().GetFirstLine("GI_Mess_Confirm_WriteAnother")});
    // The Yes led to the save dialog, not to overwriting the open file.
    ASSERT_EQ(files.asked.size(), 2u);
    EXPECT_EQ(files.asked[1].mode, QFileDialog::AcceptSave);
    EXPECT_EQ(model().FilePath(), file);
    EXPECT_FALSE(model().IsModified());
}

TEST_F(DocumentDialogs, RefusedFileLeavesDocumentAndTitleAlone)
{
    const std::string broken = path("broken.vrc");
    testing_support::writeFile(broken, "not a clone file\n");
    files.answers = {broken};
    model().Open();
    EXPECT_EQ(recorder.shown().size(), 1u);
    EXPECT_TRUE(model().FilePath().empty());
    EXPECT_EQ(form->windowTitle(), "Untitled[*] - Quillon(dPMR)");
    EXPECT_FALSE(view().BusyCursorShown());
}

} // namespace
