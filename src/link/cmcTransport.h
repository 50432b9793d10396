#pragma once

#include <cstdint>
#include <string>

// What the clone protocol needs of a link to the radio. The serial port and
// the TCP bridge offer the same operations; the clone driver owns one of each
// and picks one per call from the port selection. Opening takes a number and
// a text in both cases: the COM port number and its settings text
// ("9600,N,8,1"), or the TCP port and the dotted IPv4 address.
class cmcTransport
{
public:
    virtual ~cmcTransport() = default;

    // False when already open or when the link cannot be opened.
    virtual bool Open(std::int32_t port, const std::string &text) = 0;
    // Discards queued output and closes; harmless when closed.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Queues bytes for the write pump and starts it. Returns what the
    // transport reports (the serial port always 0, TCP the count queued or 0
    // when refused).
    virtual std::int32_t Send(const std::uint8_t *bytes, std::int32_t count) = 0;
    // Never blocks: up to maximum bytes of what has arrived, 0 when nothing.
    virtual std::int32_t Read(std::uint8_t *buffer, std::int32_t maximum) = 0;
    // Bytes accepted by Send that have not left yet.
    virtual std::int32_t Pending() = 0;

    // Serial only: a write handed fewer bytes to the port than asked.
    virtual bool WriteFailed() const { return false; }
    // TCP only: the connect has not completed yet.
    virtual bool IsConnecting() const { return false; }
    // TCP only: forgets queued output after a protocol time-out.
    virtual void DropOutput() {}
};
