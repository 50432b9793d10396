#pragma once

#include "image/AddressRange.h"
#include "link/CloneProgressView.h"
#include "link/imcCloneDrv.h"

#include <cstdint>
#include <memory>
#include <string>

class CloneHost;
struct CloneSettings;
class cmcCloneDrv;
class cmcEeprom;
class cmcTask;

// Stands between the main frame and the two clone drivers: for every
// operation it prepares the driver from the link settings (transport script
// with speed selection and the optional clone password, preambles, main
// serial settings, time-outs), starts it, shows the progress, and when the
// driver reports back it runs the main frame's result handlers, shows the
// error message of a failed operation and calls the operation's callback.
// One operation runs at a time across both drivers.
class indCloneMan
{
public:
    using Callback = cmcCloneDrv::Callback;

    // Adjustment sequence states the manager itself knows.
    static constexpr std::int32_t kAdjustSequenceNone = 0;
    static constexpr std::int32_t kAdjustSequenceReset = 15;
    static constexpr std::int32_t kRepaintPeriodMs = 30;
    static constexpr std::int32_t kWriteTimeoutMs = 5000;
    static constexpr std::int32_t kFastPreamble = 48;
    static constexpr std::int32_t kSlowPreamble = 12;

    // Drivers on the real transports.
    explicit indCloneMan(CloneHost &host);
    indCloneMan(CloneHost &host, std::unique_ptr<cmcCloneDrv> clone,
                std::unique_ptr<imcCloneDrv> adjust);
    ~indCloneMan();
    indCloneMan(const indCloneMan &) = delete;
    indCloneMan &operator=(const indCloneMan &) = delete;

    // Not owned; null shows no progress. The view's cancel request reaches
    // Cancel.
    void SetProgressView(CloneProgressView *view);

    void SetModelIds(std::int32_t id1, std::int32_t id2);
    void SetImageSize(std::int32_t bytes);
    void RegisterIdHandler(Callback handler, void *context);
    void RegisterReadHandler(Callback handler, void *context);

    // Each returns false while an operation runs. The ranges and the image
    // are copied at the start.
    bool Read(const RangeList &ranges, Callback callback, void *context);
    bool Write(const cmcEeprom &image, const RangeList &ranges, Callback callback, void *context);
    bool IdRead(Callback callback, void *context);
    bool IsBusy() const;
    // Stops a running ID read, read, or write that has not sent data yet
    // (its callback then gets code 18); false when it cannot be stopped.
    bool Cancel();
    // How the last operation ended, after the result handlers: for callers
    // that wait for a chain of operations (an ID read and what its callback
    // started) to come to rest. Kind 0 before the first.
    std::int32_t LastKind() const { return lastKind_; }
    std::int32_t LastCode() const { return lastCode_; }
    // Bytes the last read or write moved and how long it took.
    std::int32_t LastBytes() const { return lastBytes_; }
    std::uint32_t LastDurationMs() const { return lastDurationMs_; }

    // Set by the clone password dialog: the next read or write sends the
    // clone password frame.
    void SetSendPasswordOnce(bool send) { sendPasswordOnce_ = send; }
    bool SendPasswordOnce() const { return sendPasswordOnce_; }

    // Adjustment operations.
    void SetAdjustCommand(std::uint8_t command, std::uint8_t value, std::uint8_t *reply);
    void SetAdjustCommandTable(const imcCloneDrv::TableEntry *entries);
    bool AdjustParametersPending() const;
    bool AdjustSingleCommand(Callback callback, void *context);
    bool AdjustCommandTable(Callback callback, void *context);
    bool AdjustSweep(Callback callback, void *context);
    void SetAdjustSequence(std::int32_t state) { adjustSequence_ = state; }
    std::int32_t AdjustSequence() const { return adjustSequence_; }

    // Bytes of the running read or write, and the progress bar's filled
    // segments.
    std::int32_t Total() const { return total_; }
    std::int32_t FilledSegments() const;
    // Where the running operation stands.
    CloneProgress Progress() const;
    // One tick of the 30 ms repaint task: hands where the operation stands
    // to the progress view, and stops the task once the clone driver is
    // idle.
    void RepaintProgress();

    // The message for a result code; empty for 0.
    static std::string ErrorText(std::int32_t code, bool overTcp, std::int32_t comPort);

    cmcCloneDrv &CloneDriver() { return *clone_; }
    imcCloneDrv &AdjustDriver() { return *adjust_; }

private:
    static void onComplete(void *context, dst_CDrv_Result *result);
    static void onRepaint(void *context, cmcTask *task);
    void Complete(dst_CDrv_Result &result);
    void ApplyLink(cmcCloneDrv &driver, const CloneSettings &settings);
    void Configure(const CloneSettings &settings, bool highSpeed, bool password);
    void PrepareAdjust(bool highSpeed);
    bool StartAdjust(bool (imcCloneDrv::*start)(Callback, void *), Callback callback,
                     void *context);
    bool Begin(Callback callback, void *context);
    bool StartTransfer(std::int32_t kind, const cmcEeprom *image, const RangeList &ranges,
                       Callback callback, void *context);
    void OpenProgress(std::int32_t kind);
    void CloseProgress();
    void ShowError(std::int32_t code);

    CloneHost &host_;
    std::unique_ptr<cmcCloneDrv> clone_;
    std::unique_ptr<imcCloneDrv> adjust_;
    cmcTask *repaint_;
    CloneProgressView *progressView_ = nullptr;
    bool progressOpen_ = false;

    Callback idHandler_ = nullptr;
    void *idContext_ = nullptr;
    Callback readHandler_ = nullptr;
    void *readContext_ = nullptr;
    Callback callback_ = nullptr;
    void *context_ = nullptr;

    std::int32_t total_ = 0;
    std::int32_t runningKind_ = 0;
    std::uint32_t startMs_ = 0;
    std::int32_t lastBytes_ = 0;
    std::uint32_t lastDurationMs_ = 0;
    std::int32_t lastKind_ = 0;
    std::int32_t lastCode_ = 0;
    bool sendPasswordOnce_ = false;
    std::int32_t adjustSequence_ = kAdjustSequenceNone;
};
