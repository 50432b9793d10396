#pragma once

#include <string>
#include <vector>

namespace platform {

enum class MessageIcon { None, Error, Warning, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

// Every message box of the program goes through the one installed service:
// the desktop program shows a dialog, the command-line tool prints and asks
// on the terminal, tests record what would have been shown.
class MessageService
{
public:
    virtual ~MessageService() = default;
    virtual MessageResult show(const std::string &caption, const std::string &text,
                               MessageIcon icon, MessageButtons buttons) = 0;

    // The service in use; a stderr printer that answers the cautious button
    // (Cancel, No) until something else is installed.
    static MessageService &current();
    // Installs a service (not owned); nullptr restores the default.
    static void install(MessageService *service);
};

// Shortcut for the common call.
MessageResult showMessage(const std::string &caption, const std::string &text, MessageIcon icon,
                          MessageButtons buttons = MessageButtons::Ok);

// Records every box and answers from a script (Ok/Yes when the script ran out).
class RecordingMessageService : public MessageService
{
public:
    struct Shown {
        std::string caption;
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageResult show(const std::string &caption, const std::string &text, MessageIcon icon,
                       MessageButtons buttons) override;

    void queueAnswer(MessageResult answer) { answers_.push_back(answer); }
    const std::vector<Shown> &shown() const { return shown_; }
    void clear()
    {
        shown_.clear();
        answers_.clear();
    }

private:
    std::vector<Shown> shown_;
    std::vector<MessageResult> answers_;
};

// Installs a service for the lifetime of a scope (tests).
class ScopedMessageService
{
public:
    explicit ScopedMessageService(MessageService &service) { MessageService::install(&service); }
    ~ScopedMessageService() { MessageService::install(nullptr); }
    ScopedMessageService(const ScopedMessageService &) = delete;
    ScopedMessageService &operator=(const ScopedMessageService &) = delete;
};

} // namespace platform
