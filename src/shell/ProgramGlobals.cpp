#include "shell/ProgramGlobals.h"

#include "cells/GlobalEvents.h"
#include "image/GlobalModel.h"
#include "image/indMain.h"
#include "shell/GlobalEnvironment.h"
#include "textdb/GlobalTexts.h"

ProgramGlobals::ProgramGlobals(ScreenSize screen)
    : environment_(std::make_unique<indEnviron>(kMutexName, kSettingsPath, kSettingsPath, screen))
{
    installEnvironment(environment_.get());
    mainTextDatabase();
    languageTextDatabase();
    eventManager();
    model_ = std::make_unique<indMain>();
    installModelObject(model_.get());
}

ProgramGlobals::~ProgramGlobals()
{
    installModelObject(nullptr);
    model_.reset();
    environment_.reset();
    installEnvironment(nullptr);
}
