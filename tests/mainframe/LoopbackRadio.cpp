#include "LoopbackRadio.h"

#include <algorithm>

bool LoopbackRadio::Open(std::int32_t, const std::string &)
{
    if (open_)
        return false;
    open_ = true;
    return true;
}

std::int32_t LoopbackRadio::Send(const std::uint8_t *bytes, std::int32_t count)
{
    if (!open_ || count <= 0)
        return 0;
    radio_.receive(bytes, static_cast<std::size_t>(count));
    return count;
}

std::int32_t LoopbackRadio::Read(std::uint8_t *buffer, std::int32_t maximum)
{
    if (!open_ || maximum <= 0)
        return 0;
    const vradio::Bytes bytes = radio_.takeOutput(static_cast<std::size_t>(maximum));
    std::copy(bytes.begin(), bytes.end(), buffer);
    return static_cast<std::int32_t>(bytes.size());
}
