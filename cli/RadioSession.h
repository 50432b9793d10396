#pragma once

#include "CloneOptions.h"
#include "TerminalMessageService.h"
#include "TerminalProgressView.h"

#include "settings/indEnviron.h"

#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <string>

class indMain;

// One clone command of the command-line tool: the user's settings read but
// never written back, the link options on top, messages and questions on the
// terminal, the model object without a window, and the event loop run until
// the radio link comes to rest.
class RadioSession
{
public:
    // Exit codes besides 0, the clone result codes and 100 + a file code.
    static constexpr int kStopped = 1;
    static constexpr int kUsage = 2;
    static constexpr int kFileErrorBase = 100;
    // The operation was stopped with Ctrl+C, as shells count an interrupt.
    static constexpr int kInterrupted = 130;

    explicit RadioSession(const CloneOptions &options);
    ~RadioSession();
    RadioSession(const RadioSession &) = delete;
    RadioSession &operator=(const RadioSession &) = delete;

    // False when the overlays were missing or the link options could not be
    // applied; the reason was printed and setupFailure() is the exit code.
    bool ready() const { return model_ != nullptr; }
    int setupFailure() const { return setupFailure_; }
    indMain &model() { return *model_; }

    // Runs the event loop until the clone manager is idle. Ctrl+C stops a
    // read or an ID read, and a write that has not sent data yet; a write
    // that is sending data goes on to its end, as a half-written radio is
    // worse than a slow one.
    void waitForRest();
    // The exit code of the operation chain that should have ended with an
    // operation of this kind: 0 when it did and succeeded, the clone result
    // code when any step failed, kStopped when the chain stopped before.
    int outcome(std::int32_t kind) const;

private:
    bool mapDevice(const std::string &device, std::int32_t comPort);
    void takeInterrupt();

    indEnviron settings_;
    TerminalMessageService messages_;
    TerminalProgressView progress_;
    QTemporaryDir portStore_;
    std::string previousStore_;
    bool storeSwitched_ = false;
    bool interruptPending_ = false;
    bool toldWriteGoesOn_ = false;
    int setupFailure_ = 0;
    std::unique_ptr<indMain> model_;
};
