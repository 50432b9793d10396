#pragma once

#include "platform/MessageService.h"

#include <cstdio>

// The command-line tool's message boxes: information goes to standard
// output, everything else to standard error. A question is answered OK (or
// Yes) when the user said --yes; otherwise it is asked on the terminal, and
// answered Cancel (or No) when standard input is no terminal to ask on.
class TerminalMessageService : public platform::MessageService
{
public:
    explicit TerminalMessageService(bool answerYes) : answerYes_(answerYes) {}

    platform::MessageResult show(const std::string &caption, const std::string &text,
                                 platform::MessageIcon icon,
                                 platform::MessageButtons buttons) override;

private:
    platform::MessageResult ask(platform::MessageButtons buttons);

    bool answerYes_;
};
