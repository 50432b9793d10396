#include "support/TestPaths.h"

#include "platform/InstanceLock.h"
#include "platform/ProgramDir.h"
#include "platform/RegistryStore.h"

#include <fstream>
#include <sstream>

namespace testing_support {

std::string fixtureDir() { return QUILLON_FIXTURE_DIR "/"; }
std::string sourceDir() { return QUILLON_SOURCE_DIR "/"; }
std::string binaryDir() { return QUILLON_BINARY_DIR "/"; }

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::string &path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

ScopedSettingsSandbox::ScopedSettingsSandbox()
    : previousFile_(platform::RegistryStore::backingFile()),
      previousUserData_(platform::userDataFolder())
{
    platform::RegistryStore::setBackingFile(settingsFile());
    platform::InstanceLock::setLockFolder(folder());
    platform::setUserDataFolder(folder() + "/data");
}

ScopedSettingsSandbox::~ScopedSettingsSandbox()
{
    platform::RegistryStore::setBackingFile(previousFile_);
    platform::InstanceLock::setLockFolder({});
    platform::setUserDataFolder(previousUserData_);
}

std::string ScopedSettingsSandbox::folder() const { return dir_.path().toStdString(); }

std::string ScopedSettingsSandbox::settingsFile() const { return folder() + "/settings.conf"; }

} // namespace testing_support
