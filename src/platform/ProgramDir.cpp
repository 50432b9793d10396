#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <climits>
#include <unistd.h>

namespace platform {

namespace {

std::string g_override;
std::string g_userData;

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

std::string executableDirectory()
{
    const std::string path = executablePath();
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

// The overlays are what every program of the project reads first, so a
// folder that holds them is a data folder.
bool holdsOverlays(const std::string &directory)
{
    const QDir folder(QString::fromStdString(directory));
    return !folder.entryList({QStringLiteral("*.OVL")}, QDir::Files).isEmpty();
}

} // namespace

void setProgramDirectory(const std::string &directory)
{
    g_override = directory;
    if (!g_override.empty() && g_override.back() != '/')
        g_override += '/';
}

std::string programDirectoryFor(const std::string &executableDirectory)
{
    // Beside the executable wins, so a build tree uses its own copies even
    // when an installed copy of the program exists.
    if (holdsOverlays(executableDirectory))
        return executableDirectory;
    const QString installed = QDir::cleanPath(QString::fromStdString(executableDirectory) +
                                              QStringLiteral(QUILLON_DATA_FROM_BINDIR));
    if (QFileInfo(installed).isDir())
        return installed.toStdString() + '/';
    // Nothing anywhere: messages about missing files name the folder beside
    // the program, as they always did.
    return executableDirectory;
}

std::string programDirectory()
{
    if (!g_override.empty())
        return g_override;
    static const std::string found = programDirectoryFor(executableDirectory());
    return found;
}

std::string programFileName()
{
    const std::string path = executablePath();
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string userDataFolder()
{
    if (!g_userData.empty())
        return g_userData;
    // Not the application's own location: the two programs carry different
    // names and must find the same copies.
    return (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            QStringLiteral("/quillon"))
        .toStdString();
}

void setUserDataFolder(const std::string &folder) { g_userData = folder; }

} // namespace platform
