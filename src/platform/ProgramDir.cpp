#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <climits>
#include <unistd.h>

namespace platform {

namespace {

std::string g_override;

std::string executablePath()
{
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationFilePath().toStdString();
    // Without an application object (early start-up, tests) ask the kernel.
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return {};
    return std::string(buffer, static_cast<size_t>(n));
}

} // namespace

void setProgramDirectory(const std::string &directory)
{
    g_override = directory;
    if (!g_override.empty() && g_override.back() != '/')
        g_override += '/';
}

std::string programDirectory()
{
    if (!g_override.empty())
        return g_override;
    const std::string path = executablePath();
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string programFileName()
{
    const std::string path = executablePath();
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace platform
