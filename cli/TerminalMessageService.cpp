#include "TerminalMessageService.h"

#include <unistd.h>

#include <cctype>
#include <iostream>
#include <string>

using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageResult;

namespace {

struct Choice {
    char key;
    MessageResult result;
};

struct ButtonSet {
    MessageButtons buttons;
    const char *prompt;
    Choice choices[3];
    // The cautious answer, given when nobody can be asked.
    MessageResult refusal;
};

const ButtonSet kButtonSets[] = {
    {MessageButtons::OkCancel,
     "[o]k / [c]ancel? ",
     {{'o', MessageResult::Ok}, {'c', MessageResult::Cancel}, {'\0', MessageResult::Cancel}},
     MessageResult::Cancel},
    {MessageButtons::YesNo,
     "[y]es / [n]o? ",
     {{'y', MessageResult::Yes}, {'n', MessageResult::No}, {'\0', MessageResult::No}},
     MessageResult::No},
    {MessageButtons::YesNoCancel,
     "[y]es / [n]o / [c]ancel? ",
     {{'y', MessageResult::Yes}, {'n', MessageResult::No}, {'c', MessageResult::Cancel}},
     MessageResult::Cancel},
};

const ButtonSet *buttonSet(MessageButtons buttons)
{
    for (const ButtonSet &set : kButtonSets) {
        if (set.buttons == buttons)
            return &set;
    }
    return nullptr;
}

const char *answerName(MessageResult result)
{
    switch (result) {
    case MessageResult::Ok:
        return "OK";
    case MessageResult::Yes:
        return "Yes";
    case MessageResult::No:
        return "No";
    case MessageResult::Cancel:
        break;
    }
    return "Cancel";
}

} // namespace

MessageResult TerminalMessageService::show(const std::string &, const std::string &text,
                                           MessageIcon icon, MessageButtons buttons)
{
    std::ostream &out = icon == MessageIcon::Information ? std::cout : std::cerr;
    out << text << std::endl;
    if (buttons == MessageButtons::Ok)
        return MessageResult::Ok;
    return ask(buttons);
}

MessageResult TerminalMessageService::ask(MessageButtons buttons)
{
    const ButtonSet *set = buttonSet(buttons);
    if (set == nullptr)
        return MessageResult::Cancel;
    if (answerYes_) {
        const MessageResult yes = set->choices[0].result;
        std::cerr << "-> " << answerName(yes) << " (--yes)" << std::endl;
        return yes;
    }
    if (::isatty(STDIN_FILENO) == 0) {
        std::cerr << "-> " << answerName(set->refusal)
                  << " (no terminal to ask on; --yes answers OK)" << std::endl;
        return set->refusal;
    }
    std::string line;
    for (;;) {
        std::cerr << set->prompt << std::flush;
        if (!std::getline(std::cin, line))
            return set->refusal;
        const char key = line.empty()
                             ? '\0'
                             : static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
        for (const Choice &choice : set->choices) {
            if (choice.key != '\0' && choice.key == key)
                return choice.result;
        }
    }
}
