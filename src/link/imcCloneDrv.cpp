#include "link/imcCloneDrv.h"

#include "link/AdjustSweepHost.h"
#include "link/CloneFrames.h"
#include "platform/FatalError.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace cloneframes;

namespace {

// The number a sweep text holds in its line 0; anything unreadable is 0.
std::int32_t sweepNumber(const char *key)
{
    const std::string line = mainTextDatabase().GetFirstLine(key);
    const long value = std::strtol(line.c_str(), nullptr, 10);
    return std::int32_t(std::clamp<long>(value, -1000000, 1000000));
}

std::int32_t sweepLimit(bool allBands, const char *all, const char *individual)
{
    return sweepNumber(allBands ? all : individual);
}

void appendCommandFrame(cmcBuff &out, std::int32_t id1, std::int32_t id2, std::uint8_t command,
                        std::uint8_t value)
{
    cmcBuff frame = requestFrame(kCommand, id1, id2);
    // The request ends in FD; command and value go in front of it.
    frame.SetLength(frame.Length() - 1);
    frame.AppendByte(command);
    appendHexByte(frame, value);
    frame.AppendByte(kEnd);
    out.Append(frame);
}

} // namespace

imcCloneDrv::imcCloneDrv() = default;

imcCloneDrv::imcCloneDrv(CloneTransports transports) : cmcCloneDrv(std::move(transports)) {}

void imcCloneDrv::SetCommand(std::uint8_t command, std::uint8_t value, std::uint8_t *reply)
{
    command_ = command;
    value_ = value;
    reply_ = reply;
    doubleFrame_ = false;
    parametersPending_ = true;
}

void imcCloneDrv::SetCommandTable(const TableEntry *entries)
{
    std::size_t i = 0;
    for (; i + 1 < kTableEntries && entries[i].command != kTableEnd; ++i)
        table_[i] = entries[i];
    table_[i] = TableEntry{};
    parametersPending_ = true;
}

void imcCloneDrv::ConfigureAdjust(bool highSpeed)
{
    if (!UsesTcp()) {
        const char *settings = highSpeed ? "(9600,N,8,1)" : "(38400,N,8,1)";
        const char *digits = highSpeed ? kFastDigits : kSlowDigits;
        SetScript(std::string(rebootedAt19200_ ? "(19200,N,8,1)" : settings) +
                  speedSelectText(ModelId1(), digits[0], digits[1]));
        SetSerialPort(SerialPortNumber(), highSpeed ? "38400,N,8,1" : "9600,N,8,1");
        SetPreambles(0, 0);
    }
    rebootedAt19200_ = false;
    SetCountInEndFrame(true);
    SetAckInterval(128, 0);
    SetDefaultTimeout(350);
}

bool imcCloneDrv::StartSingleCommand(Callback callback, void *context, std::int32_t periodMs)
{
    return Start(clonekind::kAdjustCommand, callback, context, periodMs);
}

bool imcCloneDrv::StartCommandTable(Callback callback, void *context)
{
    return Start(clonekind::kAdjustTable, callback, context, kStepPeriodMs);
}

bool imcCloneDrv::StartSweep(Callback callback, void *context)
{
    if (IsBusy())
        return false;
    if (sweepHost_ == nullptr)
        platform::fatalError("The band-pass sweep was started without adjustment data.");
    const std::int32_t minimum = sweepLimit(
        sweepHost_->SweepAllBands(), "GI_Sys_Adjust_BPF_All_Min", "GI_Sys_Adjust_BPF_Ind_Min");
    sweepValue_ = std::clamp(minimum, 0, 255);
    sweepReading_.fill(0);
    readPhase_ = false;
    return Start(clonekind::kAdjustSweep, callback, context, kStepPeriodMs);
}

std::int32_t imcCloneDrv::FirstState(std::int32_t kind)
{
    switch (kind) {
    case clonekind::kAdjustCommand:
        return kSendCommand;
    case clonekind::kAdjustTable:
        return kNextTableEntry;
    case clonekind::kAdjustSweep:
        return kSweepSend;
    default:
        return cmcCloneDrv::FirstState(kind);
    }
}

std::int32_t imcCloneDrv::StepExtra(std::int32_t state, bool &progress)
{
    switch (state) {
    case kSweepSend:
        return SweepSend();
    case kNextTableEntry:
        return NextTableEntry();
    case kSendCommand:
        return SendCommand();
    case kReceiveReply:
        return ReceiveReply(progress);
    case kSettle:
        return settle_.Remaining() == 0 ? kSweepSend : kSettle;
    case kEvaluateReading:
        return EvaluateReading();
    default:
        return cmcCloneDrv::StepExtra(state, progress);
    }
}

std::int32_t imcCloneDrv::SendCommand()
{
    cmcBuff out;
    if (!UsesTcp())
        out.AppendRepeated(kPreamble, CommandPreamble());
    appendCommandFrame(out, ModelId1(), ModelId2(), command_, value_);
    if (doubleFrame_)
        appendCommandFrame(out, ModelId1(), ModelId2(), secondCommand_, secondValue_);
    SendToLink(out);
    ClearFrameBuffer();
    parametersPending_ = false;
    if (reply_ != nullptr)
        return kReceiveReply;
    switch (Kind()) {
    case clonekind::kAdjustSweep:
        settle_.Start(std::uint32_t(std::max(sweepNumber("GI_Sys_Adjust_BPF_Set_Wait"), 0)));
        return kSettle;
    case clonekind::kAdjustTable:
        return kNextTableEntry;
    default:
        Result().code = clonecode::kOk;
        return kDrain;
    }
}

std::int32_t imcCloneDrv::ReceiveReply(bool &progress)
{
    progress = false;
    cmcBuff frame;
    if (!ReceiveFrame(frame))
        return kReceiveReply;
    if (DecodeReply(frame))
        return AfterReply();
    Result().code = clonecode::kBadFrame;
    // A single command ends on a bad reply; the others wait for a good one
    // until their time-out.
    return Kind() == clonekind::kAdjustCommand ? kDrain : kReceiveReply;
}

bool imcCloneDrv::DecodeReply(const cmcBuff &frame)
{
    static constexpr std::uint8_t header[] = {kPreamble, 0xEF, 0xEE, kCommand};
    const std::int32_t length = frame.Length();
    const std::uint8_t *bytes = frame.Data();
    if (length <= 10 || std::memcmp(bytes, header, sizeof header) != 0 ||
        bytes[4] != ((ModelId1() >> 8) & 0xFF) || bytes[5] != (ModelId1() & 0xFF))
        return false;
    const std::int32_t pairs = std::min((length - 9) / 2, kReplyPairs);
    std::uint8_t decoded[kReplyPairs] = {};
    for (std::int32_t i = 0; i < pairs; ++i) {
        const int high = upperHexDigit(bytes[9 + 2 * i]);
        const int low = upperHexDigit(bytes[10 + 2 * i]);
        if (high < 0 || low < 0)
            return false;
        decoded[i] = std::uint8_t(high << 4 | low);
    }
    std::copy(decoded, decoded + pairs, reply_);
    return true;
}

std::int32_t imcCloneDrv::AfterReply()
{
    switch (Kind()) {
    case clonekind::kAdjustSweep:
        return kEvaluateReading;
    case clonekind::kAdjustTable:
        return kNextTableEntry;
    default:
        Result().code = clonecode::kOk;
        return kDrain;
    }
}

std::int32_t imcCloneDrv::NextTableEntry()
{
    std::int32_t &position = FrameCounter();
    if (position < 0 || std::size_t(position) >= kTableEntries ||
        table_[std::size_t(position)].command == kTableEnd) {
        Result().code = clonecode::kOk;
        return kDrain;
    }
    const TableEntry &entry = table_[std::size_t(position)];
    command_ = entry.command;
    value_ = entry.value != nullptr ? *entry.value : 0;
    reply_ = entry.reply;
    doubleFrame_ = false;
    ++position;
    return kSendCommand;
}

std::int32_t imcCloneDrv::SweepBand() const
{
    const std::int32_t band = sweepHost_->SweepBand();
    return band >= 0 && band <= 5 ? band : 0;
}

std::int32_t imcCloneDrv::SweepSend()
{
    static constexpr std::uint8_t kSetBandCommand[] = {0x13, 0x14};
    static constexpr std::uint8_t kSelectItem = 0x40;
    static constexpr std::uint8_t kSetItem = 0x41;
    static constexpr std::uint8_t kReadMeter = 3;
    static constexpr std::uint8_t kFilterMeter = 2;
    const std::int32_t band = SweepBand();
    const auto value = std::uint8_t(sweepValue_);
    doubleFrame_ = false;
    if (readPhase_) {
        command_ = kReadMeter;
        value_ = kFilterMeter;
        reply_ = sweepReading_.data();
    } else if (band <= 1) {
        command_ = kSetBandCommand[band];
        value_ = value;
        reply_ = nullptr;
    } else {
        command_ = kSelectItem;
        value_ = kBandDataBytes[std::size_t(band)];
        secondCommand_ = kSetItem;
        secondValue_ = value;
        doubleFrame_ = true;
        reply_ = nullptr;
    }
    readPhase_ = !readPhase_;
    return kSendCommand;
}

std::int32_t imcCloneDrv::EvaluateReading()
{
    const std::int32_t band = SweepBand();
    std::uint8_t *record = sweepHost_->SweepRecord(band);
    const std::uint8_t reading = sweepReading_[0];
    const auto value = std::uint8_t(sweepValue_);
    if (record != nullptr && reading >= record[2]) {
        if (reading > record[2]) {
            record[0] = value;
            record[2] = reading;
        }
        record[1] = value;
    }
    sweepHost_->StoreAdjustValue(kBandDataBytes[std::size_t(band)], value);
    const bool all = sweepHost_->SweepAllBands();
    const std::int32_t step =
        std::max(sweepLimit(all, "GI_Sys_Adjust_BPF_All_Step", "GI_Sys_Adjust_BPF_Ind_Step"), 1);
    const std::int32_t maximum =
        std::min(sweepLimit(all, "GI_Sys_Adjust_BPF_All_Max", "GI_Sys_Adjust_BPF_Ind_Max"), 255);
    sweepValue_ += step;
    if (sweepValue_ > maximum) {
        Result().code = clonecode::kOk;
        return kDrain;
    }
    return kSweepSend;
}
