#pragma once

#include "settings/indEnviron.h"

#include <memory>

class indMain;

// The objects that live for the whole run of the desktop program, built in
// the order each needs the one before: the environment (single-instance
// lock and settings), the two text databases, the event manager, then the
// model object, which opens the overlays with the environment's language.
// They go in the reverse order, so the settings are saved last, after the
// model has written its own into them.
class ProgramGlobals
{
public:
    static constexpr const char *kMutexName = "Vorn Quillon(dPMR) APP Exclusive Mutex";
    static constexpr const char *kSettingsPath = "Software\\Vorn\\Quillon(dPMR)";

    // The screen shapes the default window placement.
    explicit ProgramGlobals(ScreenSize screen);
    ~ProgramGlobals();
    ProgramGlobals(const ProgramGlobals &) = delete;
    ProgramGlobals &operator=(const ProgramGlobals &) = delete;

    bool IsFirstInstance() const { return environment_->IsFirstInstance(); }
    indEnviron &Environment() { return *environment_; }
    indMain &Model() { return *model_; }

private:
    std::unique_ptr<indEnviron> environment_;
    std::unique_ptr<indMain> model_;
};
