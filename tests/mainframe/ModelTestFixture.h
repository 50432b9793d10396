#pragma once

#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"
#include "image/ImageWords.h"
#include "image/WorkingLayout.h"
#include "model/indMain.h"
#include "platform/MessageService.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A window that records what the frame asks of it and answers the file
// dialogs from a script.
class RecordingView : public cuiMainView
{
public:
    void SetTitle(const std::string &text) override { title = text; }
    void AppendToFirstTreeNode(const std::string &text) override { treeSuffix = text; }
    void RebuildTree() override { ++treeBuilds; }
    bool ChooseFileToOpen(const FileDialog &dialog, std::string &path) override
    {
        openDialogs.push_back(dialog);
        path = openAnswer;
        return !openAnswer.empty();
    }
    bool ChooseFileToSave(const FileDialog &dialog, std::string &path) override
    {
        saveDialogs.push_back(dialog);
        path = saveAnswer;
        return !saveAnswer.empty();
    }
    bool AskClonePassword() override
    {
        ++passwordPrompts;
        return passwordAnswer;
    }

    std::string title;
    std::string treeSuffix;
    int treeBuilds = 0;
    std::string openAnswer;
    std::string saveAnswer;
    std::vector<FileDialog> openDialogs;
    std::vector<FileDialog> saveDialogs;
    int passwordPrompts = 0;
    bool passwordAnswer = true;
};

// The model object on fresh detached settings, with its window recorded and
// its messages answered from a script.
class ModelTest : public ::testing::Test
{
protected:
    ModelTest() : settings_(indEnviron::Detached::Defaults), messages_(recorder)
    {
        installEnvironment(&settings_);
        model = std::make_unique<indMain>();
        model->AttachView(&view);
        model->BuildWindow();
        recorder.clear();
    }
    ~ModelTest() override { installEnvironment(nullptr); }

    std::string tempPath(const std::string &name) const
    {
        return folder_.path().toStdString() + "/" + name;
    }

    // Writes an image's radio layout as a clone file, as another program would.
    std::string writeRadioFile(const cmcEeprom &image, const std::string &name)
    {
        cmcEeprom copy;
        copy.CopyFrom(image);
        cmcVrcFile file;
        file.SetImage(&copy);
        clone_file_policy::applyTo(file);
        const std::string path = tempPath(name);
        EXPECT_EQ(file.Write(path, clone_file_policy::fileRanges()), 0);
        return path;
    }

    std::vector<std::string> shownTexts() const
    {
        std::vector<std::string> texts;
        for (const auto &shown : recorder.shown())
            texts.push_back(shown.text);
        return texts;
    }

    // Puts one channel in use in the working layout.
    void useChannel(cmcEeprom &image, int channel, uint32_t frequency)
    {
        image_words::write32(image, working_layout::kChannelMain + 34 * channel, frequency);
        const uint16_t count = image_words::read16(image, working_layout::kChannelCount);
        image_words::write16(image, working_layout::kChannelCount,
                             std::max<uint16_t>(count, static_cast<uint16_t>(channel + 1)));
    }

    indEnviron settings_;
    platform::RecordingMessageService recorder;
    platform::ScopedMessageService messages_;
    RecordingView view;
    std::unique_ptr<indMain> model;
    QTemporaryDir folder_;
};
