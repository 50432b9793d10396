#include "CountedTransport.h"

#include <algorithm>

namespace e2e {

CountedTransport::CountedTransport(std::unique_ptr<cmcTransport> link, Kind kind,
                                   LineLedger &ledger)
    : link_(std::move(link)), kind_(kind), ledger_(ledger)
{}

bool CountedTransport::Open(std::int32_t port, const std::string &text)
{
    if (!link_->Open(port, text))
        return false;
    if (kind_ == Kind::Tcp)
        ledger_.programConnected();
    else
        ledger_.programOpenedPort();
    return true;
}

void CountedTransport::Close()
{
    ledger_.programWithdrew(static_cast<std::uint64_t>(std::max(link_->Pending(), 0)));
    link_->Close();
}

std::int32_t CountedTransport::Send(const std::uint8_t *bytes, std::int32_t count)
{
    const bool open = link_->IsOpen();
    const std::int32_t reported = link_->Send(bytes, count);
    // The serial port reports nothing but queues everything while open.
    const std::int32_t taken = kind_ == Kind::Serial ? (open ? count : 0) : reported;
    ledger_.programSent(static_cast<std::uint64_t>(std::max(taken, 0)));
    return reported;
}

std::int32_t CountedTransport::Read(std::uint8_t *buffer, std::int32_t maximum)
{
    const std::int32_t got = link_->Read(buffer, maximum);
    ledger_.programRead(static_cast<std::uint64_t>(std::max(got, 0)));
    return got;
}

void CountedTransport::DropOutput()
{
    ledger_.programWithdrew(static_cast<std::uint64_t>(std::max(link_->Pending(), 0)));
    link_->DropOutput();
}

CloneTransports countedCloneTransports(LineLedger &ledger)
{
    CloneTransports real = makeCloneTransports();
    return {std::make_unique<CountedTransport>(std::move(real.serial),
                                               CountedTransport::Kind::Serial, ledger),
            std::make_unique<CountedTransport>(std::move(real.tcp), CountedTransport::Kind::Tcp,
                                               ledger)};
}

} // namespace e2e
