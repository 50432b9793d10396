#pragma once

#include "ByteChannel.h"

#include <string>

namespace vradio {

// A pseudo-terminal: the program opens its slave end as a serial port, the
// radio works the master end. The radio keeps the slave open as well, so the
// master stays usable while the program has the port closed, and sets it to
// raw mode, so nothing is echoed or translated before the program opens it.
class PtyChannel : public ByteChannel
{
public:
    PtyChannel();
    ~PtyChannel() override;
    PtyChannel(const PtyChannel &) = delete;
    PtyChannel &operator=(const PtyChannel &) = delete;

    bool valid() const { return master_ >= 0 && slave_ >= 0; }
    const std::string &slavePath() const { return slavePath_; }

    std::size_t readSome(std::uint8_t *buffer, std::size_t maximum) override;
    std::size_t writeSome(const std::uint8_t *bytes, std::size_t count) override;

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace vradio
