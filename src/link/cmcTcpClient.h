#pragma once

#include "link/cmcTransport.h"
#include "platform/cmcBuff.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QTcpSocket;
class cmcTask;

// The link to the radio through a TCP bridge (a serial server that forwards
// the bytes to the radio's cable). Opening starts a connect that completes
// in the background; the clone driver waits on IsConnecting before it talks.
// Sends go through a queue of at most 32000 bytes that a write pump hands to
// the socket in pieces of 1024 bytes every 10 ms, the pace of the serial
// port's pump.
//
// The connected flag is one for the whole process: the clone driver and the
// adjustment driver each own a client, but only one talks at a time.
class cmcTcpClient : public cmcTransport
{
public:
    static constexpr std::int32_t kQueueLimit = 32000;
    static constexpr std::int32_t kPieceSize = 1024;
    static constexpr std::int32_t kPumpPeriodMs = 10;

    cmcTcpClient();
    ~cmcTcpClient() override;
    cmcTcpClient(const cmcTcpClient &) = delete;
    cmcTcpClient &operator=(const cmcTcpClient &) = delete;

    // The address must be a dotted IPv4 address of four decimal parts; names
    // are never looked up. True once the connect has been started.
    bool Open(std::int32_t port, const std::string &address) override;
    void Close() override;
    bool IsOpen() const override;
    // The count queued, or 0 when closed or when the queue would reach its
    // limit (the bytes are then dropped).
    std::int32_t Send(const std::uint8_t *bytes, std::int32_t count) override;
    std::int32_t Read(std::uint8_t *buffer, std::int32_t maximum) override;
    // Bytes queued here plus those the socket still holds (those only until
    // DropOutput).
    std::int32_t Pending() override;
    bool IsConnecting() const override;
    void DropOutput() override;

    // The connect attempt has ended (connected or failed): the clone driver
    // may go on and, on a failed connect, runs into its time-out.
    static void ConnectNotification();

    // Four dotted decimal parts of 0..255; the all-ones address counts as
    // no address, as it cannot be connected to.
    static std::optional<std::uint32_t> ParseAddress(const std::string &text);

    std::int32_t queued() const { return outgoing_.Length(); }

private:
    static void pumpHandler(void *context, cmcTask *task);
    void PumpStep();
    std::unique_ptr<QTcpSocket> createSocket();
    void dropFront(std::int32_t count);

    std::uint16_t port_ = 0;
    std::optional<std::uint32_t> address_;
    std::unique_ptr<QTcpSocket> socket_;
    bool outputDropped_ = false;
    cmcBuff outgoing_;
    cmcTask *pump_;
};
