#include "support/ScopedTexts.h"

#include "support/TestPaths.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QFile>

namespace testing_support {

ScopedTexts::ScopedTexts(const std::vector<Entry> &entries)
{
    std::string text;
    for (const Entry &entry : entries) {
        text += "#" + entry.first + "\n";
        for (const std::string &line : entry.second)
            text += line + "\n";
    }
    text += "#End_Of_Ovl\n";
    const std::string path = dir_.path().toStdString() + "/texts.ovl";
    writeFile(path, text);
    // Readable by everyone, for tests that go on as a user without rights.
    QFile::setPermissions(dir_.path(), QFile::permissions(dir_.path()) | QFile::ReadOther |
                                           QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    QFile::setPermissions(QString::fromStdString(path),
                          QFile::permissions(QString::fromStdString(path)) | QFile::ReadOther |
                              QFile::ReadGroup);
    mainTextDatabase().Open(path);
}

} // namespace testing_support
