#include "PtyChannel.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

namespace vradio {

PtyChannel::PtyChannel()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return;
    const char *name = ::ptsname(master_);
    if (name == nullptr)
        return;
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave_ < 0)
        return;
    termios raw{};
    ::tcgetattr(slave_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave_, TCSANOW, &raw);
}

PtyChannel::~PtyChannel()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

std::size_t PtyChannel::readSome(std::uint8_t *buffer, std::size_t maximum)
{
    if (maximum == 0)
        return 0;
    const ssize_t n = ::read(master_, buffer, maximum);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

std::size_t PtyChannel::writeSome(const std::uint8_t *bytes, std::size_t count)
{
    if (count == 0)
        return 0;
    const ssize_t n = ::write(master_, bytes, count);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

} // namespace vradio
