#include "support/FakeTransport.h"

#include <algorithm>

namespace testing_support {

bool FakeTransport::Open(std::int32_t port, const std::string &text)
{
    opens_.push_back({port, text});
    if (open_)
        return false;
    const bool refused =
        std::find(refusedTexts_.begin(), refusedTexts_.end(), text) != refusedTexts_.end();
    open_ = openResult_ && !refused;
    return open_;
}

void FakeTransport::Close()
{
    ++closes_;
    open_ = false;
    pending_ = 0;
}

std::int32_t FakeTransport::Send(const std::uint8_t *bytes, std::int32_t count)
{
    if (!open_ || count <= 0)
        return 0;
    sends_.emplace_back(bytes, bytes + count);
    return sendReportsCount_ ? count : 0;
}

std::int32_t FakeTransport::Read(std::uint8_t *buffer, std::int32_t maximum)
{
    if (!open_ || maximum <= 0)
        return 0;
    const auto n = static_cast<std::int32_t>(
        std::min<std::size_t>({incoming_.size(), static_cast<std::size_t>(maximum),
                               static_cast<std::size_t>(readChunk_)}));
    for (std::int32_t i = 0; i < n; ++i) {
        buffer[i] = incoming_.front();
        incoming_.pop_front();
    }
    return n;
}

void FakeTransport::feed(const std::vector<std::uint8_t> &bytes)
{
    incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
}

void FakeTransport::feed(const std::string &bytes)
{
    incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> FakeTransport::sentBytes() const
{
    std::vector<std::uint8_t> all;
    for (const auto &send : sends_)
        all.insert(all.end(), send.begin(), send.end());
    return all;
}

} // namespace testing_support
