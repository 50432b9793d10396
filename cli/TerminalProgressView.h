#pragma once

#include "link/CloneProgressView.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The "Cloning" bar of a read or a write on standard error, with what is
// being done, how far it got and how long it will still take; drawn only
// when standard error is a terminal (a log file gets no carriage returns).
// The short ID read draws nothing.
class TerminalProgressView : public CloneProgressView
{
public:
    TerminalProgressView();
    // Tests draw into a string as a terminal would get it.
    explicit TerminalProgressView(std::string *sink);

    void OpenProgress(const CloneProgress &progress) override;
    void UpdateProgress(const CloneProgress &progress) override;
    void CloseProgress() override;

private:
    void Write(const std::string &text);

    bool enabled_;
    std::string *sink_ = nullptr;
    bool drawing_ = false;
    std::string shown_;
};
