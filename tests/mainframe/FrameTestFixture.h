#pragma once

#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "model/indMain.h"
#include "platform/MessageService.h"
#include "shell/MainWindowView.h"
#include "shell/ProgramGlobals.h"
#include "shell/TForm1.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The desktop program as main() builds it, on private settings: the global
// objects, then the main form; every message box is recorded and answered
// from a script.
class FrameTest : public ::testing::Test
{
protected:
    FrameTest() : messages_(recorder) {}
    ~FrameTest() override
    {
        // Events still queued go to the listeners they were meant for.
        eventManager().Tick();
        form.reset();
        globals.reset();
    }

    // The globals first, so a test can change the settings before the form.
    indMain &model()
    {
        if (!globals)
            globals = std::make_unique<ProgramGlobals>(ScreenSize{1024, 768});
        return globals->Model();
    }
    indEnviron &settings()
    {
        model();
        return globals->Environment();
    }
    TForm1 &openForm(std::vector<std::string> arguments = {"quillon"})
    {
        form = std::make_unique<TForm1>(model(), arguments);
        return *form;
    }
    MainWindowView &view() { return form->View(); }

    std::vector<std::string> shownTexts() const
    {
        std::vector<std::string> texts;
        for (const auto &shown : recorder.shown())
            texts.push_back(shown.text);
        return texts;
    }

    testing_support::ScopedSettingsSandbox sandbox;
    platform::RecordingMessageService recorder;
    platform::ScopedMessageService messages_;
    std::unique_ptr<ProgramGlobals> globals;
    std::unique_ptr<TForm1> form;
};
