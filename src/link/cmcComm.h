#pragma once

#include "link/cmcTransport.h"
#include "platform/cmcBuff.h"

#include <QSerialPort>

#include <cstdint>
#include <string>

class cmcTask;

// The serial cable to the radio. The port is opened by COM number (the port
// map turns it into a device) with a settings text such as "9600,N,8,1".
// Reads take what has arrived and never wait. Sends go into a queue that a
// write pump hands to the device in pieces of at most 1024 bytes, each only
// once the device's own output queue has drained, so the clone driver can see
// through Pending how much is still on its way and keep the line just busy.
//
// The cable takes its power from RTS and must see DTR off, so both lines are
// set that way on every open; ports without modem lines (pseudo-terminals,
// some adapters) are used anyway.
class cmcComm : public cmcTransport
{
public:
    enum class Parity { None, Even, Odd, Mark, Space };
    enum class StopBits { One, OneAndHalf, Two };

    struct Settings {
        std::int32_t baud = 9600;
        std::int32_t dataBits = 8;
        Parity parity = Parity::None;
        StopBits stopBits = StopBits::One;
    };

    // "baud,parity,data bits,stop bits". Data bits are clamped to 4..8; only
    // "1.5" and "2" select other than one stop bit. Parity letters N, E, O, M
    // and S are known in either case, anything else means none. A missing
    // field keeps its default.
    static Settings ParseSettings(const std::string &text);

    static constexpr std::int32_t kPieceSize = 1024;
    static constexpr std::int32_t kPumpPeriodMs = 10;

    cmcComm();
    ~cmcComm() override;
    cmcComm(const cmcComm &) = delete;
    cmcComm &operator=(const cmcComm &) = delete;

    bool Open(std::int32_t port, const std::string &settings) override;
    void Close() override;
    bool IsOpen() const override;
    // Always 0, as the clone driver expects of the serial port.
    std::int32_t Send(const std::uint8_t *bytes, std::int32_t count) override;
    std::int32_t Read(std::uint8_t *buffer, std::int32_t maximum) override;
    // Bytes waiting out plus the bytes the pump still holds.
    std::int32_t Pending() override;
    bool WriteFailed() const override { return writeFailed_; }

    // The device's receive and send queues; 0 when closed.
    std::int32_t BytesWaitingIn();
    std::int32_t BytesWaitingOut();

    std::int32_t port() const { return port_; }
    const Settings &settings() const { return settings_; }
    // Bytes the pump holds that were not handed to the device yet.
    std::int32_t queued() const { return outgoing_.Length(); }

protected:
    // The device side of the pump, replaceable by tests that need a device
    // whose output queue drains on command or whose writes fall short.
    virtual std::int32_t deviceOutputQueue();
    // Hands the bytes over, waiting as long as the line needs for them plus
    // three seconds; returns how many were taken.
    virtual std::int32_t writeToDevice(const std::uint8_t *bytes, std::int32_t count);

private:
    static void pumpHandler(void *context, cmcTask *task);
    void PumpStep();
    bool configure();
    void dropFront(std::int32_t count);

    QSerialPort serial_;
    std::int32_t port_ = 0;
    bool writeFailed_ = false;
    Settings settings_;
    cmcBuff outgoing_;
    cmcTask *pump_;
};
