#pragma once

#include "link/cmcTransport.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace testing_support {

// A transport that the test drives by hand: it records every open, close and
// sent byte, hands out the bytes the test queued for reading, and reports as
// much pending output as the test says.
class FakeTransport : public cmcTransport
{
public:
    struct OpenCall {
        std::int32_t port;
        std::string text;
    };

    bool Open(std::int32_t port, const std::string &text) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    std::int32_t Send(const std::uint8_t *bytes, std::int32_t count) override;
    std::int32_t Read(std::uint8_t *buffer, std::int32_t maximum) override;
    std::int32_t Pending() override { return pending_; }
    bool WriteFailed() const override { return writeFailed_; }
    bool IsConnecting() const override { return connecting_; }
    void DropOutput() override { ++dropOutputCalls_; }

    // What the radio side "sends": appended to the bytes Read returns.
    void feed(const std::vector<std::uint8_t> &bytes);
    void feed(const std::string &bytes);

    // Scripting.
    void setOpenResult(bool result) { openResult_ = result; }
    void failOpenFor(const std::string &text) { refusedTexts_.push_back(text); }
    void setPending(std::int32_t pending) { pending_ = pending; }
    void setWriteFailed(bool failed) { writeFailed_ = failed; }
    void setConnecting(bool connecting) { connecting_ = connecting; }
    // Largest number of bytes one Read hands out (splits frames across reads).
    void setReadChunk(std::int32_t chunk) { readChunk_ = chunk; }
    // Value Send returns (the serial port reports 0, TCP the count).
    void setSendReportsCount(bool reports) { sendReportsCount_ = reports; }

    // Observations.
    const std::vector<OpenCall> &opens() const { return opens_; }
    int closeCount() const { return closes_; }
    const std::vector<std::vector<std::uint8_t>> &sends() const { return sends_; }
    std::vector<std::uint8_t> sentBytes() const;
    void clearSent() { sends_.clear(); }
    std::size_t unread() const { return incoming_.size(); }
    int dropOutputCalls() const { return dropOutputCalls_; }

private:
    bool open_ = false;
    bool openResult_ = true;
    std::vector<std::string> refusedTexts_;
    std::int32_t pending_ = 0;
    bool writeFailed_ = false;
    bool connecting_ = false;
    std::int32_t readChunk_ = 1 << 30;
    bool sendReportsCount_ = false;
    std::deque<std::uint8_t> incoming_;
    std::vector<OpenCall> opens_;
    int closes_ = 0;
    std::vector<std::vector<std::uint8_t>> sends_;
    int dropOutputCalls_ = 0;
};

} // namespace testing_support
