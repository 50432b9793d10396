#pragma once

#include "image/AddressRange.h"
#include "link/CloneTransports.h"
#include "link/dst_CDrv_Result.h"
#include "platform/cmcBuff.h"
#include "platform/cmcTick.h"

#include <cstdint>
#include <memory>
#include <string>

class cmcEeprom;
class cmcTask;

// Runs one clone operation at a time against the radio: an ID read, a memory
// read or a memory write. It is a state machine stepped every 10 ms by its
// own task; each step reads what arrived, sends what is due and watches a
// time-out. Before the protocol proper it runs the transport script (serial
// settings changes and raw byte runs) and opens the link with the main
// settings. Every started operation ends with exactly one call of its
// completion callback.
class cmcCloneDrv
{
public:
    using Callback = void (*)(void *context, dst_CDrv_Result *result);

    // States the adjustment driver and the tests refer to.
    enum State : std::int32_t {
        kIdle = 0,
        kBegin = 2,
        kSerialScript = 3,
        kOpenMain = 4,
        kConnecting = 5,
        kRemainingScript = 6,
        kDispatch = 7,
        kSendIdRequest = 8,
        kReceiveIdReply = 9,
        kSendReadRequest = 10,
        kReceiveData = 11,
        kBeginWrite = 12,
        kSendWriteRequest = 13,
        kWaitWriteAck = 15,
        kSendData = 16,
        kWaitBlockAck = 17,
        kSendEndFrame = 18,
        kReceiveEndAck = 19,
        kFirstExtra = 20,
        kLastExtra = 26,
        kDrain = 27,
        kFinish = 28,
    };

    static constexpr std::int32_t kStepPeriodMs = 10;
    static constexpr std::int32_t kScriptTimeoutMs = 350;
    static constexpr std::int32_t kIdReplyTimeoutMs = 350;
    static constexpr std::int32_t kWriteAckTimeoutMs = 1000;
    static constexpr std::int32_t kEndAckTimeoutMs = 2000;
    // The bridge's connect normally completes at once; this only keeps a
    // connect that never reports back from holding the program forever.
    static constexpr std::int32_t kConnectTimeoutMs = 5000;
    static constexpr std::uint32_t kSettleBeforeReopenMs = 300;
    static constexpr std::uint32_t kSettleBeforeFlushMs = 100;
    static constexpr std::uint32_t kTcpBatchPauseMs = 20;
    static constexpr std::int32_t kReadChunk = 256;
    static constexpr std::int32_t kFramesPerStep = 8;
    static constexpr std::int32_t kWriteRequestSends = 8;
    static constexpr std::int32_t kFlushLimit = 65535;

    // The real serial and TCP transports.
    cmcCloneDrv();
    // Given transports (tests use fakes); both must be present.
    explicit cmcCloneDrv(CloneTransports transports);
    virtual ~cmcCloneDrv();
    cmcCloneDrv(const cmcCloneDrv &) = delete;
    cmcCloneDrv &operator=(const cmcCloneDrv &) = delete;

    // Configuration, set by the clone manager before each start.
    void SetModelIds(std::int32_t id1, std::int32_t id2);
    std::int32_t ModelId1() const { return modelId1_; }
    std::int32_t ModelId2() const { return modelId2_; }
    void SetImageSize(std::int32_t bytes);
    std::int32_t ImageSize() const { return imageSize_; }
    // 0 the serial port, anything else the TCP bridge.
    void SetPortSelect(std::int32_t select) { useTcp_ = select != 0; }
    bool UsesTcp() const { return useTcp_; }
    // COM port number and its main settings text ("9600,n,8,1").
    void SetSerialPort(std::int32_t port, const std::string &settings);
    std::int32_t SerialPortNumber() const { return serialPort_; }
    const std::string &SerialSettings() const { return serialSettings_; }
    void SetTcpPeer(std::int32_t port, const std::string &address);
    // Numbers of extra FE bytes before requests (serial only) and before
    // each data frame sent.
    void SetPreambles(std::int32_t command, std::int32_t data);
    std::int32_t CommandPreamble() const { return commandPreamble_; }
    // Settings elements "(38400,N,8,1)" and hex byte runs, run in order.
    void SetScript(const std::string &script) { script_ = script; }
    const std::string &Script() const { return script_; }
    void SetCountInEndFrame(bool carried) { countInEndFrame_ = carried; }
    // A value of 0 or less keeps the old one.
    void SetAckInterval(std::int32_t interval, std::int32_t phase);
    std::int32_t AckInterval() const { return ackInterval_; }
    // 0 or less keeps the old value.
    void SetDefaultTimeout(std::int32_t ms);
    std::int32_t DefaultTimeout() const { return defaultTimeout_; }
    // Data bytes per frame sent, 1 to 255; other values keep the old one.
    void SetBlockSize(std::int32_t bytes);

    // Each returns false and changes nothing while an operation runs. The
    // range list is copied. A read without ranges accepts any address of
    // the image.
    bool StartIdRead(Callback callback, void *context);
    bool StartRead(const RangeList *ranges, Callback callback, void *context);
    bool StartWrite(const cmcEeprom &image, const RangeList &ranges, Callback callback,
                    void *context);
    bool IsBusy() const { return state_ != kIdle; }
    // Asks the running operation to stop at its next step, where no frame
    // is half sent: the link closes and the callback gets code 18. An ID
    // read and a read can always be stopped, a write only until its first
    // data frame goes out (a half-written radio is worse than a slow one).
    // False, and nothing changes, when the operation cannot be stopped.
    bool Cancel();
    bool CanCancel() const;

    // One tick of the driver's task. Public so that tests can step the
    // machine without a timer.
    void Step();

    std::int32_t CurrentState() const { return state_; }
    // Data bytes received or sent so far, for the progress display.
    std::int32_t DataByteCount() const { return dataBytes_; }
    std::int32_t DataFrameCount() const { return dataFrames_; }

protected:
    // First state of an operation kind other than ID read, read and write.
    virtual std::int32_t FirstState(std::int32_t kind);
    // States 20 to 26; returns the next state and may clear progress.
    virtual std::int32_t StepExtra(std::int32_t state, bool &progress);

    bool Start(std::int32_t kind, Callback callback, void *context, std::int32_t periodMs);
    std::int32_t Kind() const { return kind_; }
    dst_CDrv_Result &Result() { return *result_; }
    // The transport the port selection picks.
    cmcTransport &Link();
    void SendToLink(const cmcBuff &bytes);
    bool TcpBatchDue() const;
    void SendBatch();
    void ClearFrameBuffer() { frame_.SetLength(0); }
    // Collects received bytes into frames; true when a frame ended this step
    // (the latest one is in frame, without its FD).
    bool ReceiveFrame(cmcBuff &frame);
    // The data-frame count doubles as a position for subclasses.
    std::int32_t &FrameCounter() { return dataFrames_; }

private:
    static void onTask(void *context, cmcTask *task);
    void ProtocolStep();
    std::int32_t StateAction(std::int32_t state, bool &progress, bool expired);
    std::int32_t TimeoutFor(std::int32_t state) const;
    void Finish();

    std::int32_t RunScriptElement(std::int32_t state, bool &progress);
    bool OpenLink(const std::string &serialSettings);
    void FlushInput();
    std::int32_t OpenMain();
    void SendRequest(std::uint8_t command);
    std::int32_t ReceiveIdReply(bool &progress);
    bool CheckIdReply(const cmcBuff &frame);
    std::int32_t ReceiveData(bool &progress);
    std::int32_t CheckFrame(bool &stored);
    std::int32_t StoreDataFrame(const std::uint8_t *text, std::int32_t count);
    std::int32_t CheckEndFrame(const std::uint8_t *body, std::int32_t count) const;
    std::int32_t CheckCoverage() const;
    std::int32_t WaitWriteAck(bool expired);
    std::int32_t SendData(bool &progress);
    bool AppendNextDataFrame();
    bool AckDue() const;
    bool AtEndOfRanges() const;
    std::int32_t CurrentRangeFirst() const;
    std::int32_t WaitBlockAck(bool &progress);
    std::int32_t ReceiveEndAck(bool &progress);
    std::int32_t Drain(bool &progress);
    std::int32_t ReadIntoQueue();
    // Takes care of FE (starts a frame) and of bytes outside a frame; true
    // when the byte ends or extends the frame being assembled.
    bool IsFrameByte(std::uint8_t byte);

    std::unique_ptr<cmcTransport> serial_;
    std::unique_ptr<cmcTransport> tcp_;
    cmcTask *task_;

    // Configuration.
    std::int32_t modelId1_ = 0;
    std::int32_t modelId2_ = 0;
    std::int32_t imageSize_ = 1;
    bool useTcp_ = false;
    std::int32_t serialPort_ = 1;
    std::string serialSettings_ = "9600,n,8,1";
    std::int32_t tcpPort_ = 0;
    std::string tcpAddress_;
    std::int32_t commandPreamble_ = 0;
    std::int32_t dataPreamble_ = 0;
    std::string script_;
    bool countInEndFrame_ = true;
    std::int32_t ackInterval_ = 0;
    std::int32_t ackPhase_ = 0;
    std::int32_t defaultTimeout_ = 350;
    std::int32_t blockSize_ = 16;

    // The running operation.
    std::int32_t state_ = kIdle;
    std::int32_t kind_ = 0;
    Callback callback_ = nullptr;
    void *context_ = nullptr;
    std::unique_ptr<dst_CDrv_Result> result_;
    RangeList ranges_;
    bool hasRanges_ = false;
    std::size_t rangeIndex_ = 0;
    std::int32_t address_ = 0;
    std::int32_t dataFrames_ = 0;
    bool tcpBatchSent_ = false;
    std::uint32_t lastTcpBatchMs_ = 0;
    std::int32_t dataBytes_ = 0;
    std::int32_t retries_ = 0;
    bool cancelRequested_ = false;
    cmcBuff queue_;
    cmcBuff frame_;
    cmcTick timeout_;
};
