#include "link/cmcCloneDrv.h"

#include "image/cmcEeprom.h"
#include "link/CloneFrames.h"
#include "link/HexText.h"
#include "platform/FatalError.h"
#include "platform/TickClock.h"
#include "platform/cmcTask.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace cloneframes;

cmcCloneDrv::cmcCloneDrv() : cmcCloneDrv(makeCloneTransports()) {}

cmcCloneDrv::cmcCloneDrv(CloneTransports transports)
    : serial_(std::move(transports.serial)), tcp_(std::move(transports.tcp)), task_(new cmcTask)
{
    if (!serial_ || !tcp_)
        platform::fatalError("The clone driver was built without its transports.");
    task_->Bind(&cmcCloneDrv::onTask, this);
}

cmcCloneDrv::~cmcCloneDrv()
{
    // Unless the driver goes from inside its own step, nothing of the task
    // is on the stack and it can go at once.
    if (!task_->busy())
        task_->SetPeriod(-1);
    cmcTask::dispose(task_);
}

void cmcCloneDrv::onTask(void *context, cmcTask *) { static_cast<cmcCloneDrv *>(context)->Step(); }

// ---------------------------------------------------------------------------
// Configuration

void cmcCloneDrv::SetModelIds(std::int32_t id1, std::int32_t id2)
{
    modelId1_ = id1;
    modelId2_ = id2;
}

void cmcCloneDrv::SetImageSize(std::int32_t bytes) { imageSize_ = bytes; }

void cmcCloneDrv::SetSerialPort(std::int32_t port, const std::string &settings)
{
    serialPort_ = port;
    serialSettings_ = settings;
}

void cmcCloneDrv::SetTcpPeer(std::int32_t port, const std::string &address)
{
    tcpPort_ = port;
    tcpAddress_ = address;
}

void cmcCloneDrv::SetPreambles(std::int32_t command, std::int32_t data)
{
    commandPreamble_ = std::max(command, 0);
    dataPreamble_ = std::max(data, 0);
}

void cmcCloneDrv::SetAckInterval(std::int32_t interval, std::int32_t phase)
{
    if (interval > 0)
        ackInterval_ = interval;
    if (phase > 0)
        ackPhase_ = phase;
}

void cmcCloneDrv::SetDefaultTimeout(std::int32_t ms)
{
    if (ms > 0)
        defaultTimeout_ = ms;
}

void cmcCloneDrv::SetBlockSize(std::int32_t bytes)
{
    // A frame's count is two hex digits.
    if (bytes > 0 && bytes <= 255)
        blockSize_ = bytes;
}

// ---------------------------------------------------------------------------
// Starting and finishing

bool cmcCloneDrv::Start(std::int32_t kind, Callback callback, void *context, std::int32_t periodMs)
{
    if (IsBusy())
        return false;
    callback_ = callback;
    context_ = context;
    dataFrames_ = 0;
    dataBytes_ = 0;
    tcpBatchSent_ = false;
    cancelRequested_ = false;
    kind_ = kind;
    result_ = std::make_unique<dst_CDrv_Result>();
    result_->kind = kind;
    result_->code = clonecode::kPortNotOpened;
    result_->id1 = modelId1_;
    result_->id2 = modelId2_;
    result_->image.SetSize(imageSize_);
    state_ = kBegin;
    task_->SetPeriod(periodMs);
    return true;
}

bool cmcCloneDrv::StartIdRead(Callback callback, void *context)
{
    if (IsBusy())
        return false;
    ranges_.clear();
    hasRanges_ = false;
    return Start(clonekind::kIdRead, callback, context, kStepPeriodMs);
}

bool cmcCloneDrv::StartRead(const RangeList *ranges, Callback callback, void *context)
{
    if (IsBusy())
        return false;
    hasRanges_ = ranges != nullptr;
    ranges_ = hasRanges_ ? *ranges : RangeList{};
    return Start(clonekind::kRead, callback, context, kStepPeriodMs);
}

bool cmcCloneDrv::StartWrite(const cmcEeprom &image, const RangeList &ranges, Callback callback,
                             void *context)
{
    if (IsBusy())
        return false;
    ranges_ = ranges;
    hasRanges_ = true;
    rangeIndex_ = 0;
    address_ = ranges_.empty() ? 0 : ranges_.front().first;
    Start(clonekind::kWrite, callback, context, kStepPeriodMs);
    result_->image.CopyFrom(image);
    return true;
}

bool cmcCloneDrv::CanCancel() const
{
    if (!IsBusy() || cancelRequested_ || state_ == kDrain || state_ == kFinish)
        return false;
    switch (kind_) {
    case clonekind::kIdRead:
    case clonekind::kRead:
        return true;
    case clonekind::kWrite:
        return state_ < kSendData && dataFrames_ == 0;
    default:
        return false;
    }
}

bool cmcCloneDrv::Cancel()
{
    if (!CanCancel())
        return false;
    cancelRequested_ = true;
    return true;
}

void cmcCloneDrv::Step()
{
    if (state_ != kIdle)
        ProtocolStep();
    if (state_ != kIdle && serial_->WriteFailed()) {
        result_->code = clonecode::kWriteFailed;
        state_ = kFinish;
    }
    if (state_ == kFinish)
        Finish();
    if (state_ == kIdle)
        task_->SetPeriod(-1);
}

void cmcCloneDrv::Finish()
{
    Link().Close();
    state_ = kIdle;
    queue_.SetLength(0);
    frame_.SetLength(0);
    // The callback may start the next operation on this driver, so the
    // record and the callback are taken out of the driver first.
    const std::unique_ptr<dst_CDrv_Result> result = std::move(result_);
    const Callback callback = callback_;
    void *const context = context_;
    callback_ = nullptr;
    context_ = nullptr;
    if (callback != nullptr)
        callback(context, result.get());
}

// ---------------------------------------------------------------------------
// The protocol step

void cmcCloneDrv::ProtocolStep()
{
    // Requests and frames go out whole within one step, so between two steps
    // nothing is half sent. What is still queued for the line may leave; the
    // bridge's queue is dropped like on a time-out.
    if (cancelRequested_) {
        cancelRequested_ = false;
        result_->code = clonecode::kCancelled;
        if (useTcp_)
            tcp_->DropOutput();
        timeout_.Start(std::uint32_t(TimeoutFor(kDrain)));
        state_ = kDrain;
        return;
    }
    bool progress = true;
    const bool expired = timeout_.Remaining() == 0;
    std::int32_t next = StateAction(state_, progress, expired);
    if (next != state_)
        progress = true;
    if (progress) {
        timeout_.Start(std::uint32_t(TimeoutFor(next)));
    } else if (expired) {
        next = kDrain;
        // A stop the user asked for stays one, however long the line takes
        // to drain.
        if (result_->code != clonecode::kCancelled)
            result_->code = clonecode::kTimeout;
        if (useTcp_)
            tcp_->DropOutput();
    }
    if (queue_.Length() > cmcBuff::kCompactThreshold)
        queue_.Compact();
    state_ = next;
}

std::int32_t cmcCloneDrv::StateAction(std::int32_t state, bool &progress, bool expired)
{
    switch (state) {
    case kBegin:
        return useTcp_ ? kOpenMain : kSerialScript;
    case kSerialScript:
    case kRemainingScript:
        return RunScriptElement(state, progress);
    case kOpenMain:
        return OpenMain();
    case kConnecting:
        if (!Link().IsConnecting())
            return kRemainingScript;
        progress = false;
        return kConnecting;
    case kDispatch:
        switch (kind_) {
        case clonekind::kIdRead:
            return kSendIdRequest;
        case clonekind::kRead:
            return kSendReadRequest;
        case clonekind::kWrite:
            return kBeginWrite;
        default:
            return FirstState(kind_);
        }
    case kSendIdRequest:
        SendRequest(kIdRequest);
        return kReceiveIdReply;
    case kReceiveIdReply:
        return ReceiveIdReply(progress);
    case kSendReadRequest:
        SendRequest(kReadRequest);
        return kReceiveData;
    case kReceiveData:
        return ReceiveData(progress);
    case kBeginWrite:
        retries_ = 0;
        return kSendWriteRequest;
    case kSendWriteRequest:
        SendRequest(kWriteRequest);
        return kWaitWriteAck;
    case kWaitWriteAck:
        progress = false;
        return WaitWriteAck(expired);
    case kSendData:
        return SendData(progress);
    case kWaitBlockAck:
        return WaitBlockAck(progress);
    case kSendEndFrame:
        SendToLink(endFrame(Direction::ToRadio, countInEndFrame_, dataFrames_));
        return kReceiveEndAck;
    case kReceiveEndAck:
        return ReceiveEndAck(progress);
    case kDrain:
        return Drain(progress);
    default:
        break;
    }
    if (state >= kFirstExtra && state <= kLastExtra) {
        const std::int32_t next = StepExtra(state, progress);
        // Idle is reached only through the finish, which calls back.
        return next == kIdle ? kDrain : next;
    }
    // No other state exists; ending keeps the callback promise.
    return kDrain;
}

std::int32_t cmcCloneDrv::TimeoutFor(std::int32_t state) const
{
    switch (state) {
    case kSerialScript:
    case kRemainingScript:
        return script_.empty() ? defaultTimeout_ : kScriptTimeoutMs;
    case kConnecting:
        return kConnectTimeoutMs;
    case kReceiveIdReply:
        return kIdReplyTimeoutMs;
    case kWaitWriteAck:
        return kWriteAckTimeoutMs;
    case kReceiveEndAck:
        return kEndAckTimeoutMs;
    default:
        return defaultTimeout_;
    }
}

std::int32_t cmcCloneDrv::FirstState(std::int32_t) { return kSendIdRequest; }

std::int32_t cmcCloneDrv::StepExtra(std::int32_t, bool &) { return kIdle; }

// ---------------------------------------------------------------------------
// Link access

cmcTransport &cmcCloneDrv::Link() { return useTcp_ ? *tcp_ : *serial_; }

void cmcCloneDrv::SendToLink(const cmcBuff &bytes)
{
    if (bytes.Length() <= 0)
        return;
    Link().Send(bytes.Data(), bytes.Length());
    if (useTcp_) {
        tcpBatchSent_ = true;
        lastTcpBatchMs_ = TickClock::current().nowMs();
    }
}

std::int32_t cmcCloneDrv::ReadIntoQueue()
{
    std::uint8_t chunk[kReadChunk];
    const std::int32_t count = std::clamp(Link().Read(chunk, kReadChunk), 0, kReadChunk);
    queue_.Append(chunk, count);
    return count;
}

bool cmcCloneDrv::IsFrameByte(std::uint8_t byte)
{
    if (byte == kPreamble) {
        // Every FE starts a frame afresh, so a run of them leaves one.
        frame_.SetLength(0);
        frame_.AppendByte(kPreamble);
        return false;
    }
    // Bytes between frames are dropped.
    return frame_.Length() != 0;
}

bool cmcCloneDrv::ReceiveFrame(cmcBuff &received)
{
    ReadIntoQueue();
    received.SetLength(0);
    while (queue_.Length() > 0) {
        const auto byte = std::uint8_t(queue_.PopFront());
        if (!IsFrameByte(byte)) {
            continue;
        } else if (byte == kEnd) {
            received.Assign(frame_);
            frame_.SetLength(0);
        } else if (frame_.Length() >= kMaxFrameBytes) {
            // An endless frame reads as a frame that fits nothing.
            frame_.SetLength(0);
            received.SetLength(0);
            received.AppendByte(0x00);
            break;
        } else {
            frame_.AppendByte(byte);
        }
    }
    return received.Length() > 0;
}

// ---------------------------------------------------------------------------
// Transport script and opening

std::int32_t cmcCloneDrv::RunScriptElement(std::int32_t state, bool &progress)
{
    // Each byte run leaves the line completely before the next element, so a
    // settings change never cuts off the bytes sent before it.
    if (Link().Pending() > 0) {
        progress = true;
        return state;
    }
    if (script_.empty())
        return state + 1;
    std::string element;
    const bool settings = script_.front() == '(';
    if (settings) {
        const std::size_t close = script_.find(')');
        element = script_.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        script_.erase(0, close == std::string::npos ? script_.size() : close + 1);
    } else {
        const std::size_t open = script_.find('(');
        element = script_.substr(0, open);
        script_.erase(0, open == std::string::npos ? script_.size() : open);
    }
    if (settings && state == kSerialScript) {
        cmcTick::busyWait(kSettleBeforeReopenMs);
        serial_->Close();
        if (!OpenLink(element)) {
            script_.clear();
            result_->code = clonecode::kPortNotOpened;
            return kDrain;
        }
    } else if (!settings) {
        SendToLink(BytesFromHex(element));
    }
    progress = true;
    if (!script_.empty() || Link().Pending() > 0)
        return state;
    return state + 1;
}

bool cmcCloneDrv::OpenLink(const std::string &serialSettings)
{
    if (useTcp_)
        return tcp_->Open(tcpPort_, tcpAddress_);
    if (!serial_->Open(serialPort_, serialSettings))
        return false;
    FlushInput();
    return true;
}

void cmcCloneDrv::FlushInput()
{
    cmcTick::busyWait(kSettleBeforeFlushMs);
    std::uint8_t byte = 0;
    for (std::int32_t discarded = 0; discarded < kFlushLimit; ++discarded) {
        if (serial_->Read(&byte, 1) <= 0)
            break;
    }
}

std::int32_t cmcCloneDrv::OpenMain()
{
    Link().Close();
    if (!OpenLink(serialSettings_)) {
        result_->code = clonecode::kPortNotOpened;
        return kDrain;
    }
    return useTcp_ ? kConnecting : kRemainingScript;
}

std::int32_t cmcCloneDrv::Drain(bool &progress)
{
    if (Link().Pending() == 0)
        return kFinish;
    progress = false;
    return kDrain;
}

// ---------------------------------------------------------------------------
// ID read

void cmcCloneDrv::SendRequest(std::uint8_t command)
{
    cmcBuff out;
    if (!useTcp_)
        out.AppendRepeated(kPreamble, commandPreamble_);
    out.Append(requestFrame(command, modelId1_, modelId2_));
    SendToLink(out);
    ClearFrameBuffer();
}

std::int32_t cmcCloneDrv::ReceiveIdReply(bool &progress)
{
    progress = false;
    cmcBuff frame;
    if (!ReceiveFrame(frame))
        return kReceiveIdReply;
    CheckIdReply(frame);
    return kDrain;
}

namespace {

bool isBcd(std::uint8_t byte) { return (byte >> 4) <= 9 && (byte & 0x0F) <= 9; }

} // namespace

bool cmcCloneDrv::CheckIdReply(const cmcBuff &frame)
{
    static constexpr std::uint8_t header[] = {kPreamble, 0xEF, 0xEE, kIdReply};
    const std::uint8_t *bytes = frame.Data();
    const bool valid = frame.Length() >= 8 && std::memcmp(bytes, header, sizeof header) == 0 &&
                       std::all_of(bytes + 4, bytes + 8, isBcd);
    if (!valid) {
        result_->code = clonecode::kBadFrame;
        return false;
    }
    result_->id1 = (bytes[4] << 8) | bytes[5];
    result_->id2 = (bytes[6] << 8) | bytes[7];
    result_->information.Assign(bytes + 8, frame.Length() - 8);
    result_->code = clonecode::kOk;
    if (modelId1_ == 0)
        modelId1_ = result_->id1;
    return true;
}

// ---------------------------------------------------------------------------
// Read

std::int32_t cmcCloneDrv::ReceiveData(bool &progress)
{
    progress = false;
    ReadIntoQueue();
    while (queue_.Length() > 0) {
        const auto byte = std::uint8_t(queue_.PopFront());
        if (!IsFrameByte(byte)) {
            continue;
        } else if (byte == kEnd) {
            bool stored = false;
            const std::int32_t code = CheckFrame(stored);
            if (!stored) {
                result_->code = code;
                return kDrain;
            }
            ++dataFrames_;
            progress = true;
            frame_.SetLength(0);
        } else {
            frame_.AppendByte(byte);
            if (frame_.Length() > kMaxFrameBytes) {
                result_->code = clonecode::kBadFrame;
                return kDrain;
            }
        }
    }
    return kReceiveData;
}

std::int32_t cmcCloneDrv::CheckFrame(bool &stored)
{
    static constexpr std::uint8_t header[] = {kPreamble, 0xEF, 0xEE};
    const std::int32_t length = frame_.Length();
    const std::uint8_t *bytes = frame_.Data();
    if (length < 12 || length > kMaxFrameBytes + 1 ||
        std::memcmp(bytes, header, sizeof header) != 0)
        return clonecode::kBadFrame;
    if (bytes[3] == kData) {
        const std::int32_t code = StoreDataFrame(bytes + 4, length - 4);
        stored = code == clonecode::kOk;
        return code;
    }
    if (bytes[3] == kEndOfData) {
        const std::int32_t code = CheckEndFrame(bytes + 4, length - 4);
        if (code != clonecode::kOk)
            return code;
        return hasRanges_ ? CheckCoverage() : clonecode::kOk;
    }
    return clonecode::kBadFrame;
}

std::int32_t cmcCloneDrv::StoreDataFrame(const std::uint8_t *text, std::int32_t count)
{
    if ((count & 2) != 0)
        return clonecode::kBadFrame;
    if (!std::all_of(text, text + count, [](std::uint8_t c) { return upperHexDigit(c) >= 0; }))
        return clonecode::kBadFrame;
    // Address, count and checksum at least; the frame check bounds the rest.
    const std::int32_t length = count / 2;
    std::uint8_t decoded[kMaxFrameBytes / 2];
    if (length < 4 || length > std::int32_t(sizeof decoded))
        return clonecode::kBadFrame;
    std::uint8_t sum = 0;
    for (std::int32_t i = 0; i < length; ++i) {
        decoded[i] = std::uint8_t(upperHexDigit(text[2 * i]) << 4 | upperHexDigit(text[2 * i + 1]));
        sum = std::uint8_t(sum + decoded[i]);
    }
    const std::int32_t n = decoded[2];
    if (length != n + 4 || sum != 0)
        return clonecode::kBadFrame;
    const std::int32_t address = (decoded[0] << 8) | decoded[1];
    dst_CDrv_Result &result = *result_;
    if (n == 0)
        return clonecode::kOk;
    const std::int32_t last = address + n - 1;
    if (last >= imageSize_ || !result.image.IsValidAddress(last))
        return clonecode::kOutsideImage;
    result.image.WriteBlock(address, decoded + 3, n);
    const std::int32_t mapBytes = last / 8 + 1;
    if (result.receivedMap.Length() < mapBytes) {
        const std::int32_t old = result.receivedMap.Length();
        result.receivedMap.SetLength(mapBytes);
        std::fill(result.receivedMap.Data() + old, result.receivedMap.Data() + mapBytes, 0);
    }
    for (std::int32_t a = address; a <= last; ++a)
        result.receivedMap.Data()[a >> 3] |= std::uint8_t(1u << (a & 7));
    dataBytes_ += n;
    return clonecode::kOk;
}

std::int32_t cmcCloneDrv::CheckEndFrame(const std::uint8_t *body, std::int32_t count) const
{
    cmcBuff expected;
    expected.Append(reinterpret_cast<const std::uint8_t *>(kMakerText), kMakerTextLength);
    if (countInEndFrame_)
        appendHexByte(expected, std::uint8_t(dataFrames_ & 0xFF));
    if (count != expected.Length() || std::memcmp(body, kMakerText, kMakerTextLength) != 0)
        return clonecode::kBadFrame;
    if (std::memcmp(body, expected.Data(), std::size_t(count)) != 0)
        return clonecode::kEndCountMismatch;
    return clonecode::kOk;
}

std::int32_t cmcCloneDrv::CheckCoverage() const
{
    const std::int32_t mapBytes = (std::max(imageSize_, 0) + 7) / 8;
    std::vector<std::uint8_t> expected(std::size_t(mapBytes), 0);
    for (const AddressRange &range : ranges_) {
        if (range.last < range.first)
            break;
        const std::int32_t first = std::max(range.first, 0);
        const std::int32_t last = std::min(range.last, imageSize_ - 1);
        for (std::int32_t a = first; a <= last; ++a)
            expected[std::size_t(a >> 3)] |= std::uint8_t(1u << (a & 7));
    }
    const cmcBuff &received = result_->receivedMap;
    if (received.Length() > mapBytes)
        return clonecode::kOutsideImage;
    bool missing = false;
    for (std::int32_t i = 0; i < mapBytes; ++i) {
        const std::uint8_t got = i < received.Length() ? received.Data()[i] : 0;
        if ((got & ~expected[std::size_t(i)]) != 0)
            return clonecode::kOutsideImage;
        if (got != expected[std::size_t(i)])
            missing = true;
    }
    return missing ? clonecode::kAddressesMissing : clonecode::kOk;
}

// ---------------------------------------------------------------------------
// Write

std::int32_t cmcCloneDrv::WaitWriteAck(bool expired)
{
    const std::int32_t arrived = ReadIntoQueue();
    if (arrived == 0 && !expired)
        return kWaitWriteAck;
    if (queue_.PopFront() == kBlockAck)
        return kSendData;
    if (++retries_ >= kWriteRequestSends) {
        result_->code = clonecode::kTimeout;
        return kDrain;
    }
    return kSendWriteRequest;
}

bool cmcCloneDrv::AtEndOfRanges() const
{
    return rangeIndex_ >= ranges_.size() || ranges_[rangeIndex_].last < ranges_[rangeIndex_].first;
}

std::int32_t cmcCloneDrv::CurrentRangeFirst() const
{
    return rangeIndex_ < ranges_.size() ? ranges_[rangeIndex_].first : address_;
}

bool cmcCloneDrv::AckDue() const
{
    return address_ != CurrentRangeFirst() && ackInterval_ != 0 &&
           address_ % ackInterval_ == ackPhase_;
}

std::int32_t cmcCloneDrv::SendData(bool &progress)
{
    progress = false;
    // Over TCP the frames of a step go out as one batch, at least 20 ms after
    // the previous batch, so the bridge gets its breathing space without the
    // driver blocking the program: a batch that is not due waits for a later
    // tick.
    if (useTcp_ && !TcpBatchDue())
        return kSendData;
    for (std::int32_t i = 0; i < kFramesPerStep; ++i) {
        if (AtEndOfRanges()) {
            if (Link().Pending() == 0 && frame_.Length() == 0)
                return kSendEndFrame;
        } else if (address_ > ranges_[rangeIndex_].last) {
            ++rangeIndex_;
            if (rangeIndex_ < ranges_.size())
                address_ = ranges_[rangeIndex_].first;
        } else if (frame_.Length() == 0 || !AckDue()) {
            // Frames held back by the throttle that end at an acknowledge
            // boundary go out first; the radio must acknowledge them before
            // the next block follows.
            if (!AppendNextDataFrame()) {
                result_->code = clonecode::kOutsideImage;
                return kDrain;
            }
        }
        if (frame_.Length() == 0 || 4 * frame_.Length() < Link().Pending())
            break;
        if (useTcp_ && !AckDue() && !AtEndOfRanges())
            continue; // the batch grows up to the next acknowledge boundary
        SendBatch();
        progress = true;
        if (AckDue())
            return kWaitBlockAck;
    }
    if (useTcp_ && frame_.Length() > 0 && 4 * frame_.Length() >= Link().Pending()) {
        SendBatch();
        progress = true;
        if (AckDue())
            return kWaitBlockAck;
    }
    return kSendData;
}

bool cmcCloneDrv::TcpBatchDue() const
{
    return !tcpBatchSent_ || TickClock::current().nowMs() - lastTcpBatchMs_ >= kTcpBatchPauseMs;
}

void cmcCloneDrv::SendBatch()
{
    SendToLink(frame_);
    frame_.SetLength(0);
}

bool cmcCloneDrv::AppendNextDataFrame()
{
    const AddressRange &range = ranges_[rangeIndex_];
    if (address_ < 0)
        return false;
    std::int32_t n = blockSize_ - address_ % blockSize_;
    if (range.last < address_ + n - 1)
        n = range.last - address_ + 1;
    const cmcEeprom &image = result_->image;
    // Frames carry 16-bit addresses.
    if (!image.IsValidAddress(address_ + n - 1) || address_ + n - 1 > 0xFFFF)
        return false;
    std::uint8_t bytes[255];
    image.ReadBlock(address_, bytes, n);
    frame_.AppendRepeated(kPreamble, dataPreamble_);
    appendDataFrame(frame_, Direction::ToRadio, address_, bytes, n);
    ++dataFrames_;
    address_ += n;
    dataBytes_ += n;
    return true;
}

std::int32_t cmcCloneDrv::WaitBlockAck(bool &progress)
{
    progress = false;
    ReadIntoQueue();
    const int byte = queue_.PopFront();
    if (byte == kBlockAck)
        return kSendData;
    if (byte == kBlockRefused) {
        result_->code = clonecode::kBadFrame;
        return kDrain;
    }
    return kWaitBlockAck;
}

std::int32_t cmcCloneDrv::ReceiveEndAck(bool &progress)
{
    progress = false;
    cmcBuff frame;
    if (!ReceiveFrame(frame))
        return kReceiveEndAck;
    static constexpr std::uint8_t ack[] = {kPreamble, 0xEF, 0xEE, kEndAck, 0x00};
    const bool acknowledged =
        frame.Length() == sizeof ack && std::memcmp(frame.Data(), ack, sizeof ack) == 0;
    result_->code = acknowledged ? clonecode::kOk : clonecode::kNoEndAck;
    return kDrain;
}
