#pragma once

#include "link/CloneProgressView.h"

// The "Cloning" bar on standard error, drawn only when that is a terminal
// (a log file gets no carriage returns).
class TerminalProgressView : public CloneProgressView
{
public:
    TerminalProgressView();

    void OpenProgress() override;
    void UpdateProgress(std::int32_t filledSegments) override;
    void CloseProgress() override;

private:
    bool enabled_;
    std::int32_t shown_ = -1;
};
