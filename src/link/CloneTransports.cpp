#include "link/CloneTransports.h"

namespace {

// Stands in until the serial and TCP transports exist: it never opens, so
// every operation ends with "port cannot be opened".
class UnavailableTransport final : public cmcTransport
{
public:
    bool Open(std::int32_t, const std::string &) override { return false; }
    void Close() override {}
    bool IsOpen() const override { return false; }
    std::int32_t Send(const std::uint8_t *, std::int32_t) override { return 0; }
    std::int32_t Read(std::uint8_t *, std::int32_t) override { return 0; }
    std::int32_t Pending() override { return 0; }
};

} // namespace

CloneTransports makeCloneTransports()
{
    return {std::make_unique<UnavailableTransport>(), std::make_unique<UnavailableTransport>()};
}
