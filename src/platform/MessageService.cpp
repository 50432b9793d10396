#include "platform/MessageService.h"

#include <cstdio>

namespace platform {

namespace {

class StderrMessageService : public MessageService
{
public:
    MessageResult show(const std::string &caption, const std::string &text, MessageIcon,
                       MessageButtons buttons) override
    {
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
        switch (buttons) {
        case MessageButtons::Ok:
            return MessageResult::Ok;
        case MessageButtons::YesNo:
            return MessageResult::No;
        case MessageButtons::OkCancel:
        case MessageButtons::YesNoCancel:
            break;
        }
        return MessageResult::Cancel;
    }
};

StderrMessageService g_default;
MessageService *g_current = &g_default;

} // namespace

MessageService &MessageService::current() { return *g_current; }

void MessageService::install(MessageService *service)
{
    g_current = service != nullptr ? service : &g_default;
}

MessageResult showMessage(const std::string &caption, const std::string &text, MessageIcon icon,
                          MessageButtons buttons)
{
    return MessageService::current().show(caption, text, icon, buttons);
}

MessageResult RecordingMessageService::show(const std::string &caption, const std::string &text,
                                            MessageIcon icon, MessageButtons buttons)
{
    shown_.push_back({caption, text, icon, buttons});
    if (!answers_.empty()) {
        const MessageResult answer = answers_.front();
        answers_.erase(answers_.begin());
        return answer;
    }
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel
               ? MessageResult::Yes
               : MessageResult::Ok;
}

} // namespace platform
