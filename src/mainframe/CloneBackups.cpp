#include "mainframe/CloneBackups.h"

#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"
#include "image/cmcEeprom.h"
#include "platform/ProgramDir.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const char *const kFolderName = "/backups";
const char *const kExtension = ".vrc";

// Copies are named after their time first, so that the name order is their
// age; the pattern keeps other files of the folder out of the pruning.
bool isCopyName(const QString &name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}_\\d{6}_(read|write)[^/]*\\.vrc$"));
    return pattern.match(name).hasMatch();
}

std::string plainSerial(const std::string &serial)
{
    std::string plain;
    for (const char c : serial) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            plain += c;
    }
    return plain;
}

// Two copies within the same second get a counter rather than one another's
// file.
QString freePath(const QDir &folder, const std::string &name)
{
    const QString base = QString::fromStdString(name).chopped(int(std::string(kExtension).size()));
    QString candidate = base + QLatin1String(kExtension);
    for (int n = 2; folder.exists(candidate); ++n)
        candidate = base + QStringLiteral("-%1").arg(n) + QLatin1String(kExtension);
    return folder.filePath(candidate);
}

} // namespace

std::string CloneBackups::Folder() { return platform::userDataFolder() + kFolderName; }

std::string CloneBackups::FileName(const QDateTime &when, bool written, const std::string &serial)
{
    std::string name = when.toString(QStringLiteral("yyyy-MM-dd_HHmmss")).toStdString();
    name += written ? "_write" : "_read";
    const std::string plain = plainSerial(serial);
    if (!plain.empty())
        name += "_" + plain;
    return name + kExtension;
}

std::string CloneBackups::Keep(const Copy &copy, std::int32_t keep, std::string &path)
{
    path.clear();
    if (keep <= 0 || copy.image == nullptr)
        return {};
    const QString folderPath = QString::fromStdString(Folder());
    if (!QDir().mkpath(folderPath))
        return "cannot create " + folderPath.toStdString();
    const QDir folder(folderPath);
    const QString target =
        freePath(folder, FileName(QDateTime::currentDateTime(), copy.written, copy.serial));
    cmcEeprom image;
    image.CopyFrom(*copy.image);
    cmcVrcFile file;
    file.SetImage(&image);
    clone_file_policy::applyTo(file);
    file.SetReportErrors(false);
    file.SetModelCode(copy.modelCode);
    file.SetSubCode(copy.subCode);
    file.SetComment(copy.comment);
    const int result = file.Write(target.toStdString(), copy.ranges);
    if (result != cmcVrcFile::ErrNone) {
        // One line for the status bar.
        QString reason = QString::fromStdString(cmcVrcFile::ErrorText(result)).simplified();
        return target.toStdString() + ": " + reason.toStdString();
    }
    path = target.toStdString();
    Prune(folderPath.toStdString(), keep);
    return {};
}

void CloneBackups::Prune(const std::string &folder, std::int32_t keep)
{
    const QDir dir(QString::fromStdString(folder));
    QStringList copies;
    for (const QString &name :
         dir.entryList({QStringLiteral("*.vrc")}, QDir::Files, QDir::Name | QDir::Reversed)) {
        if (isCopyName(name))
            copies.push_back(name);
    }
    for (qsizetype i = std::max<qsizetype>(keep, 0); i < copies.size(); ++i)
        QFile::remove(dir.filePath(copies[i]));
}
