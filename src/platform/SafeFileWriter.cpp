#include "platform/SafeFileWriter.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

SafeFileWriter::~SafeFileWriter() { abandon(); }

bool SafeFileWriter::open(const std::string &path)
{
    abandon();
    target_ = path;
    failed_ = false;
    temporary_ = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary_.data());
    if (fd < 0) {
        temporary_.clear();
        failed_ = true;
        return false;
    }
    // mkstemp makes the file private; give it the mode a plain create would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    file_ = ::fdopen(fd, "wb");
    if (file_ == nullptr) {
        ::close(fd);
        abandon();
        failed_ = true;
        return false;
    }
    return true;
}

bool SafeFileWriter::writeText(const std::string &text)
{
    if (file_ == nullptr || failed_)
        return false;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t lf = text.find('\n', start);
        const size_t end = lf == std::string::npos ? text.size() : lf;
        if (end > start && std::fwrite(text.data() + start, 1, end - start, file_) != end - start)
            failed_ = true;
        if (lf == std::string::npos)
            break;
        if (std::fwrite("\r\n", 1, 2, file_) != 2)
            failed_ = true;
        start = lf + 1;
    }
    return !failed_;
}

bool SafeFileWriter::commit()
{
    if (file_ == nullptr)
        return false;
    bool ok = !failed_ && std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (ok && std::rename(temporary_.c_str(), target_.c_str()) == 0) {
        temporary_.clear();
        return true;
    }
    failed_ = true;
    abandon();
    return false;
}

void SafeFileWriter::abandon()
{
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty())
        std::remove(temporary_.c_str());
    temporary_.clear();
}

} // namespace platform
