#pragma once

#include "VirtualRadio.h"

#include "link/cmcTransport.h"

#include <string>
#include <vector>

// The virtual radio wired straight to the clone driver, without a port: what
// the driver sends reaches the radio at once and its answers are there for
// the next read. Stepping the driver by hand then runs a whole clone
// operation without timers.
class LoopbackRadio : public cmcTransport
{
public:
    explicit LoopbackRadio(vradio::VirtualRadio &radio) : radio_(radio) {}

    bool Open(std::int32_t, const std::string &) override;
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    std::int32_t Send(const std::uint8_t *bytes, std::int32_t count) override;
    std::int32_t Read(std::uint8_t *buffer, std::int32_t maximum) override;
    std::int32_t Pending() override { return 0; }

private:
    vradio::VirtualRadio &radio_;
    bool open_ = false;
};
