#pragma once

#include <string>

#include <QTemporaryDir>

namespace testing_support {

// tests/fixtures in the source tree, ending in '/'.
std::string fixtureDir();
// The source and build trees, ending in '/'.
std::string sourceDir();
std::string binaryDir();

std::string readFile(const std::string &path);
void writeFile(const std::string &path, const std::string &content);

// Points the settings store and the single-instance lock at a private
// temporary folder for the lifetime of the object.
class ScopedSettingsSandbox
{
public:
    ScopedSettingsSandbox();
    ~ScopedSettingsSandbox();
    std::string folder() const;
    std::string settingsFile() const;

private:
    QTemporaryDir dir_;
    std::string previousFile_;
    std::string previousUserData_;
};

} // namespace testing_support
