#include "link/indCloneMan.h"

#include "link/AdjustSweepHost.h"
#include "link/CloneFrames.h"
#include "link/CloneHost.h"
#include "link/CloneProgressView.h"
#include "link/PortProblem.h"
#include "platform/MessageService.h"
#include "platform/TickClock.h"
#include "platform/cmcTask.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <climits>
#include <vector>

using cloneframes::kFastDigits;
using cloneframes::kSlowDigits;
using cloneframes::speedSelectText;

namespace {

constexpr const char *kHeadKey = "GI_Mess_CloneErr_Head";
constexpr const char *kCheckKey = "GI_Mess_CloneErr_Check";
// Stands for the link line of the check texts: 1 over serial, 2 over TCP.
constexpr int kLinkLine = -1;

// The check lines that follow the head line of a code.
std::vector<int> checkLines(std::int32_t code)
{
    switch (code) {
    case 10:
        return {0, 3, 4};
    case 11:
    case 12:
        return {0, kLinkLine, 3, 4, 5, 6};
    case 13:
        return {7, 8};
    case 14:
        return {0, 5, 6};
    case 16:
        return {};
    default:
        return {0, kLinkLine, 3, 4};
    }
}

// The head line of code 2 is a format for the COM port number. Overlay texts
// are not trusted as printf formats: only %d, %i and %u take the number, and
// %% gives a percent sign; anything else is kept as written.
std::string formatNumber(const std::string &format, std::int32_t number)
{
    std::string out;
    bool used = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (format[i] == '%' && next == '%') {
            out += '%';
            ++i;
        } else if (format[i] == '%' && !used && (next == 'd' || next == 'i' || next == 'u')) {
            out += std::to_string(number);
            used = true;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::int32_t rangeTotal(const RangeList &ranges)
{
    std::int64_t total = 0;
    for (const AddressRange &range : ranges) {
        if (range.last < range.first)
            break;
        total += std::int64_t(range.last) - range.first + 1;
    }
    return std::int32_t(std::min<std::int64_t>(total, INT32_MAX));
}

} // namespace

indCloneMan::indCloneMan(CloneHost &host)
    : indCloneMan(host, std::make_unique<cmcCloneDrv>(), std::make_unique<imcCloneDrv>())
{}

indCloneMan::indCloneMan(CloneHost &host, std::unique_ptr<cmcCloneDrv> clone,
                         std::unique_ptr<imcCloneDrv> adjust)
    : host_(host), clone_(std::move(clone)), adjust_(std::move(adjust)), repaint_(new cmcTask)
{
    repaint_->Bind(&indCloneMan::onRepaint, this);
}

indCloneMan::~indCloneMan()
{
    if (!repaint_->busy())
        repaint_->SetPeriod(-1);
    cmcTask::dispose(repaint_);
    if (progressView_ != nullptr) {
        progressView_->SetCancelRequest({});
        if (progressOpen_)
            progressView_->CloseProgress();
    }
}

void indCloneMan::SetProgressView(CloneProgressView *view)
{
    if (progressView_ != nullptr)
        progressView_->SetCancelRequest({});
    progressView_ = view;
    if (view != nullptr)
        view->SetCancelRequest([this] { return Cancel(); });
}

void indCloneMan::SetModelIds(std::int32_t id1, std::int32_t id2)
{
    clone_->SetModelIds(id1, id2);
    adjust_->SetModelIds(id1, id2);
}

void indCloneMan::SetImageSize(std::int32_t bytes) { clone_->SetImageSize(bytes); }

void indCloneMan::RegisterIdHandler(Callback handler, void *context)
{
    idHandler_ = handler;
    idContext_ = context;
}

void indCloneMan::RegisterReadHandler(Callback handler, void *context)
{
    readHandler_ = handler;
    readContext_ = context;
}

bool indCloneMan::IsBusy() const { return clone_->IsBusy() || adjust_->IsBusy(); }

bool indCloneMan::Cancel() { return clone_->Cancel(); }

// ---------------------------------------------------------------------------
// Configuration

void indCloneMan::ApplyLink(cmcCloneDrv &driver, const CloneSettings &settings)
{
    driver.SetPortSelect(settings.portSelect);
    driver.SetTcpPeer(settings.tcpPort, settings.ipAddress);
}

void indCloneMan::Configure(const CloneSettings &settings, bool highSpeed, bool password)
{
    ApplyLink(*clone_, settings);
    const std::int32_t id1 = clone_->ModelId1();
    const bool serial = !settings.overTcp();
    std::string script;
    // A radio left at 38400 baud is first told to go to 9600.
    if (serial)
        script =
            "(38400,N,8,1)" + speedSelectText(id1, kSlowDigits[0], kSlowDigits[1]) + "(9600,N,8,1)";
    if (password)
        script += cloneframes::clonePasswordText(id1, settings.clonePassword);
    if (serial) {
        if (highSpeed) {
            script += "(9600,N,8,1)" + speedSelectText(id1, kFastDigits[0], kFastDigits[1]);
            clone_->SetSerialPort(settings.comPort, "38400,N,8,1");
            clone_->SetPreambles(kFastPreamble, 0);
        } else {
            script += "(38400,N,8,1)" + speedSelectText(id1, kSlowDigits[0], kSlowDigits[1]);
            clone_->SetSerialPort(settings.comPort, "9600,N,8,1");
            clone_->SetPreambles(kSlowPreamble, 0);
        }
    }
    clone_->SetScript(script);
    clone_->SetCountInEndFrame(true);
    clone_->SetAckInterval(128, 0);
    clone_->SetDefaultTimeout(350);
}

bool indCloneMan::Begin(Callback callback, void *context)
{
    if (IsBusy())
        return false;
    callback_ = callback;
    context_ = context;
    return true;
}

// ---------------------------------------------------------------------------
// Operations

bool indCloneMan::IdRead(Callback callback, void *context)
{
    if (!Begin(callback, context))
        return false;
    const CloneSettings settings = host_.LinkSettings();
    // ID reads always run at 9600 baud; over TCP the driver keeps what the
    // last operation left.
    if (settings.overTcp())
        ApplyLink(*clone_, settings);
    else
        Configure(settings, false, false);
    total_ = 0;
    host_.EnableMainWindow(false);
    clone_->StartIdRead(onComplete, this);
    // A radio that does not answer takes a while to give up on; the user
    // may stop waiting sooner.
    OpenProgress(clonekind::kIdRead);
    return true;
}

bool indCloneMan::Read(const RangeList &ranges, Callback callback, void *context)
{
    return StartTransfer(clonekind::kRead, nullptr, ranges, callback, context);
}

bool indCloneMan::Write(const cmcEeprom &image, const RangeList &ranges, Callback callback,
                        void *context)
{
    return StartTransfer(clonekind::kWrite, &image, ranges, callback, context);
}

// A read and a write start alike: the speed the settings ask for and the
// clone password when the dialog asked to send it once. A write waits longer
// for the radio, which stores each block before it answers.
bool indCloneMan::StartTransfer(std::int32_t kind, const cmcEeprom *image, const RangeList &ranges,
                                Callback callback, void *context)
{
    if (!Begin(callback, context))
        return false;
    total_ = rangeTotal(ranges);
    const CloneSettings settings = host_.LinkSettings();
    Configure(settings, settings.comSpeedHigh, sendPasswordOnce_);
    sendPasswordOnce_ = false;
    if (image != nullptr) {
        clone_->SetDefaultTimeout(kWriteTimeoutMs);
        clone_->StartWrite(*image, ranges, onComplete, this);
    } else {
        clone_->StartRead(&ranges, onComplete, this);
    }
    OpenProgress(kind);
    return true;
}

// ---------------------------------------------------------------------------
// Adjustment

void indCloneMan::SetAdjustCommand(std::uint8_t command, std::uint8_t value, std::uint8_t *reply)
{
    adjust_->SetCommand(command, value, reply);
}

void indCloneMan::SetAdjustCommandTable(const imcCloneDrv::TableEntry *entries)
{
    adjust_->SetCommandTable(entries);
}

bool indCloneMan::AdjustParametersPending() const { return adjust_->ParametersPending(); }

void indCloneMan::PrepareAdjust(bool highSpeed)
{
    const CloneSettings settings = host_.LinkSettings();
    ApplyLink(*adjust_, settings);
    adjust_->SetSerialPort(settings.comPort, adjust_->SerialSettings());
    adjust_->ConfigureAdjust(highSpeed);
}

bool indCloneMan::AdjustSingleCommand(Callback callback, void *context)
{
    if (!Begin(callback, context))
        return false;
    static constexpr std::int32_t kNoSweep = 7;
    AdjustSweepHost *sweep = adjust_->SweepHost();
    PrepareAdjust(sweep != nullptr && sweep->SweepBand() != kNoSweep);
    // Right after the sequence reset the radio needs time between commands.
    const std::int32_t period = adjustSequence_ == kAdjustSequenceReset ? 250 : 4;
    adjust_->StartSingleCommand(onComplete, this, period);
    host_.EnableMainWindow(false);
    return true;
}

bool indCloneMan::AdjustCommandTable(Callback callback, void *context)
{
    return StartAdjust(&imcCloneDrv::StartCommandTable, callback, context);
}

bool indCloneMan::AdjustSweep(Callback callback, void *context)
{
    return StartAdjust(&imcCloneDrv::StartSweep, callback, context);
}

bool indCloneMan::StartAdjust(bool (imcCloneDrv::*start)(Callback, void *), Callback callback,
                              void *context)
{
    if (!Begin(callback, context))
        return false;
    PrepareAdjust(true);
    ((*adjust_).*start)(onComplete, this);
    return true;
}

// ---------------------------------------------------------------------------
// Completion

void indCloneMan::onComplete(void *context, dst_CDrv_Result *result)
{
    static_cast<indCloneMan *>(context)->Complete(*result);
}

void indCloneMan::Complete(dst_CDrv_Result &result)
{
    if (result.kind == clonekind::kIdRead) {
        if (idHandler_ != nullptr)
            idHandler_(idContext_, &result);
        else
            result.code = clonecode::kWrongRadio;
    } else if (result.kind == clonekind::kRead) {
        if (readHandler_ != nullptr)
            readHandler_(readContext_, &result);
        else
            result.code = clonecode::kAddressesMissing;
    }
    const std::int32_t code = result.code;
    lastKind_ = result.kind;
    lastCode_ = code;
    if (result.kind == runningKind_) {
        lastBytes_ = clone_->DataByteCount();
        lastDurationMs_ = TickClock::current().nowMs() - startMs_;
    }
    ShowError(code);
    host_.EnableMainWindow(true);
    if (result.kind != clonekind::kAdjustTable)
        CloseProgress();
    // The callback may start the next operation.
    const Callback callback = callback_;
    void *const context = context_;
    callback_ = nullptr;
    context_ = nullptr;
    if (callback != nullptr)
        callback(context, &result);
    if (code != clonecode::kOk)
        adjustSequence_ = kAdjustSequenceNone;
}

std::string indCloneMan::ErrorText(std::int32_t code, bool overTcp, std::int32_t comPort)
{
    if (code == clonecode::kOk)
        return {};
    cmcGTex &texts = mainTextDatabase();
    std::string head = texts.GetLine(kHeadKey, code);
    std::string explanation;
    if (code == clonecode::kPortNotOpened)
        head = formatNumber(head, comPort);
    // A serial port names its device and, when it knows, says why it failed.
    if (code == clonecode::kPortNotOpened && !overTcp)
        PortProblem::Describe(comPort, head, explanation);
    std::string text = head + "\n\n";
    if (!explanation.empty())
        return text + explanation;
    const std::vector<int> lines = checkLines(code);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int line = lines[i] == kLinkLine ? (overTcp ? 2 : 1) : lines[i];
        text += (i == 0 ? "" : "\n") + texts.GetLine(kCheckKey, line);
    }
    return text;
}

void indCloneMan::ShowError(std::int32_t code)
{
    // A stop the user asked for is no error; the commands say it in the
    // status bar.
    if (code == clonecode::kOk || code == clonecode::kCancelled)
        return;
    const CloneSettings settings = host_.LinkSettings();
    platform::showMessage(appTitle(), ErrorText(code, settings.overTcp(), settings.comPort),
                          platform::MessageIcon::Error);
}

// ---------------------------------------------------------------------------
// Progress

std::int32_t indCloneMan::FilledSegments() const
{
    return filledProgressSegments(clone_->DataByteCount(), total_);
}

CloneProgress indCloneMan::Progress() const
{
    return cloneProgress(runningKind_, clone_->DataByteCount(), total_,
                         TickClock::current().nowMs() - startMs_, clone_->CanCancel());
}

void indCloneMan::OpenProgress(std::int32_t kind)
{
    runningKind_ = kind;
    startMs_ = TickClock::current().nowMs();
    if (progressView_ != nullptr) {
        progressView_->OpenProgress(Progress());
        progressOpen_ = true;
    }
    host_.EnableMainWindow(false);
    repaint_->SetPeriod(kRepaintPeriodMs);
}

void indCloneMan::CloseProgress()
{
    // Nothing is left to draw; a stopped task is also freed at once when
    // the manager goes.
    repaint_->SetPeriod(-1);
    host_.EnableMainWindow(true);
    host_.FocusMainWindow();
    if (progressOpen_) {
        progressOpen_ = false;
        progressView_->CloseProgress();
    }
}

void indCloneMan::onRepaint(void *context, cmcTask *)
{
    static_cast<indCloneMan *>(context)->RepaintProgress();
}

void indCloneMan::RepaintProgress()
{
    if (!clone_->IsBusy()) {
        repaint_->SetPeriod(-1);
        return;
    }
    if (progressOpen_)
        progressView_->UpdateProgress(Progress());
}
