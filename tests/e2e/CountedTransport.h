#pragma once

#include "LineLedger.h"

#include "link/CloneTransports.h"
#include "link/cmcTransport.h"

#include <memory>

namespace e2e {

// One of the program's real transports, with what passes through it entered
// in the ledger. Everything else is the transport's own doing.
class CountedTransport final : public cmcTransport
{
public:
    enum class Kind { Serial, Tcp };

    CountedTransport(std::unique_ptr<cmcTransport> link, Kind kind, LineLedger &ledger);

    bool Open(std::int32_t port, const std::string &text) override;
    void Close() override;
    bool IsOpen() const override { return link_->IsOpen(); }
    std::int32_t Send(const std::uint8_t *bytes, std::int32_t count) override;
    std::int32_t Read(std::uint8_t *buffer, std::int32_t maximum) override;
    std::int32_t Pending() override { return link_->Pending(); }
    bool WriteFailed() const override { return link_->WriteFailed(); }
    bool IsConnecting() const override { return link_->IsConnecting(); }
    void DropOutput() override;

private:
    std::unique_ptr<cmcTransport> link_;
    Kind kind_;
    LineLedger &ledger_;
};

// The real serial and TCP transports, counted.
CloneTransports countedCloneTransports(LineLedger &ledger);

} // namespace e2e
