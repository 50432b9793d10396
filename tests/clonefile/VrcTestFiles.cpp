#include "VrcTestFiles.h"

#include "clonefile/cmcVrcFile.h"
#include "support/TestPaths.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QDir>

namespace vrc_test {

std::string joinLines(const std::vector<std::string> &lines, const std::string &end, bool finalEnd)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size() || finalEnd)
            text += end;
    }
    return text;
}

uint8_t fullRadioByte(int32_t address)
{
    static const char tag[] = "QUILLON FIXTURE ";
    if (address >= 0 && address < 16)
        return static_cast<uint8_t>(tag[address]);
    return static_cast<uint8_t>(address % 251 + 1);
}

std::string fullRadioPath() { return testing_support::fixtureDir() + "clonefile/full-radio.vrc"; }

void fillWithFullRadio(cmcEeprom &image, int32_t size)
{
    image.SetSize(size);
    for (int32_t a = 0; a <= 0xFF7F && a < size; ++a)
        image.SetByte(a, fullRadioByte(a));
}

void fillWithMarker(cmcEeprom &image, int32_t size)
{
    image.SetSize(size);
    image.Fill(0xC3);
}

void useMessageTexts()
{
    static const std::vector<std::string> items = [] {
        std::vector<std::string> lines = {"#GI_Sys_AppTitle", "Quillon test",
                                          "#GI_Mess_FileErr_Headline", "File error"};
        for (int code = 1; code <= 9; ++code) {
            const std::string key = cmcVrcFile::ErrorKey(code);
            lines.insert(lines.end(), {"#" + key, "Text of " + key, "second line"});
        }
        lines.push_back("#End_Of_Ovl");
        return lines;
    }();
    mainTextDatabase().SetItems(&items);
}

std::string TempFolder::path(const std::string &name) const
{
    return dir_.path().toStdString() + "/" + name;
}

std::string TempFolder::write(const std::string &name, const std::string &content) const
{
    testing_support::writeFile(path(name), content);
    return path(name);
}

std::vector<std::string> TempFolder::fileNames() const
{
    std::vector<std::string> names;
    const QStringList entries = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
    for (const QString &entry : entries)
        names.push_back(entry.toStdString());
    return names;
}

} // namespace vrc_test
