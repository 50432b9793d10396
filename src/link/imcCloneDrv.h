#pragma once

#include "link/cmcCloneDrv.h"

#include <array>
#include <cstdint>

class AdjustSweepHost;

// The clone driver with the radio's adjustment operations: one command with
// an optional reply, a table of commands, and a band-pass filter sweep that
// steps a filter setting through a range and keeps the best reading. All of
// them travel as E8 command frames.
class imcCloneDrv : public cmcCloneDrv
{
public:
    // One command of a table. value null sends 0; reply null awaits no
    // reply. A reply area takes up to two bytes.
    struct TableEntry {
        std::uint8_t command = kTableEnd;
        const std::uint8_t *value = nullptr;
        std::uint8_t *reply = nullptr;
    };

    static constexpr std::uint8_t kTableEnd = 255;
    // The end entry included.
    static constexpr std::size_t kTableEntries = 49;
    static constexpr std::int32_t kReplyPairs = 2;
    // Band-pass items and adjustment data bytes of bands 0 to 5.
    static constexpr std::array<std::uint8_t, 6> kBandDataBytes = {4, 5, 8, 10, 9, 11};

    imcCloneDrv();
    explicit imcCloneDrv(CloneTransports transports);

    void SetCommand(std::uint8_t command, std::uint8_t value, std::uint8_t *reply);
    // Copies the entries up to the end entry; a table without one within
    // kTableEntries entries is cut there.
    void SetCommandTable(const TableEntry *entries);
    bool ParametersPending() const { return parametersPending_; }

    // Not owned; the sweep needs one.
    void SetSweepHost(AdjustSweepHost *host) { sweepHost_ = host; }
    AdjustSweepHost *SweepHost() const { return sweepHost_; }
    // The radio comes back from its reboot into adjustment mode at 19200
    // baud; the next configuration talks to it at that speed once.
    void SetRebootedAt19200(bool rebooted) { rebootedAt19200_ = rebooted; }

    // Script, main settings and time-outs for an adjustment operation at
    // high (38400 baud) or low (9600 baud) speed.
    void ConfigureAdjust(bool highSpeed);

    bool StartSingleCommand(Callback callback, void *context, std::int32_t periodMs);
    bool StartCommandTable(Callback callback, void *context);
    // Starts from the minimum of the sweep texts.
    bool StartSweep(Callback callback, void *context);

    std::int32_t SweepValue() const { return sweepValue_; }

protected:
    std::int32_t FirstState(std::int32_t kind) override;
    std::int32_t StepExtra(std::int32_t state, bool &progress) override;

private:
    static constexpr std::int32_t kSweepSend = 20;
    static constexpr std::int32_t kNextTableEntry = 21;
    static constexpr std::int32_t kSendCommand = 23;
    static constexpr std::int32_t kReceiveReply = 24;
    static constexpr std::int32_t kSettle = 25;
    static constexpr std::int32_t kEvaluateReading = 26;

    std::int32_t SendCommand();
    std::int32_t ReceiveReply(bool &progress);
    bool DecodeReply(const cmcBuff &frame);
    std::int32_t AfterReply();
    std::int32_t NextTableEntry();
    std::int32_t SweepSend();
    std::int32_t EvaluateReading();
    std::int32_t SweepBand() const;

    std::array<TableEntry, kTableEntries> table_{};
    std::uint8_t command_ = 0;
    std::uint8_t value_ = 0;
    std::uint8_t secondCommand_ = 0;
    std::uint8_t secondValue_ = 0;
    bool doubleFrame_ = false;
    std::uint8_t *reply_ = nullptr;
    bool parametersPending_ = false;

    AdjustSweepHost *sweepHost_ = nullptr;
    bool rebootedAt19200_ = false;
    std::int32_t sweepValue_ = 0;
    // The meter reply lands here; its second byte only catches a second
    // pair, so a longer reply cannot disturb the sweep's phase.
    std::array<std::uint8_t, kReplyPairs> sweepReading_{};
    bool readPhase_ = false;
    cmcTick settle_;
};
