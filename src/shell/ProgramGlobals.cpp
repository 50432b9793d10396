#include "shell/ProgramGlobals.h"

#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "image/GlobalModel.h"
#include "image/indMain.h"
#include "shell/GlobalEnvironment.h"
#include "textdb/GlobalTexts.h"

namespace {

void postToEventManager(int code, int argument, const std::string &text)
{
    if (text.empty())
        eventManager().Post(code, nullptr, argument);
    else
        eventManager().PostText(code, nullptr, argument, text);
}

void sendToEventManager(int code, int argument, const std::string &text)
{
    if (text.empty())
        eventManager().Send(code, nullptr, argument);
    else
        eventManager().SendText(code, nullptr, argument, text);
}

} // namespace

ProgramGlobals::ProgramGlobals(ScreenSize screen)
    : environment_(std::make_unique<indEnviron>(kMutexName, kSettingsPath, kSettingsPath, screen))
{
    installEnvironment(environment_.get());
    mainTextDatabase();
    languageTextDatabase();
    eventManager();
    model_ = std::make_unique<indMain>();
    model_->SetEventSinks(postToEventManager, sendToEventManager);
    installModelObject(model_.get());
}

ProgramGlobals::~ProgramGlobals()
{
    installModelObject(nullptr);
    model_.reset();
    environment_.reset();
    installEnvironment(nullptr);
}
