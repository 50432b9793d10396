#include "shell/ProgramGlobals.h"

#include "cells/GlobalEvents.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"
#include "settings/GlobalEnvironment.h"
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
