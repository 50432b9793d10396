#include "mainframe/CloneBackups.h"

#include "clonefile/CloneFilePolicy.h"
#include "image/cmcEeprom.h"
#include "platform/ProgramDir.h"
#include "support/TestPaths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(CloneBackups, NamesTellDateTimeOperationAndSerial)
{
    const QDateTime when(QDate(2026, 12, 10), QTime(9, 5, 7));
    struct Case {
        bool written;
        const char *serial;
        const char *name;
    } cases[] = {
        {false, "", "2026-12-10_090507_read.vrc"},
        {true, "", "2026-12-10_090507_write.vrc"},
        {false, "0123ABCD", "2026-12-10_090507_read_0123ABCD.vrc"},
        // Only letters and digits of a serial reach the file name.
        {true, "../12 34/", "2026-12-10_090507_write_1234.vrc"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CloneBackups::FileName(when, c.written, c.serial), c.name) << c.serial;
}

class CloneBackupsFolder : public ::testing::Test
{
protected:
    std::string folder() const { return CloneBackups::Folder(); }
    QStringList files() const
    {
        return QDir(QString::fromStdString(folder())).entryList(QDir::Files, QDir::Name);
    }
    void touch(const QString &name) const
    {
        QDir().mkpath(QString::fromStdString(folder()));
        QFile file(QString::fromStdString(folder()) + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    testing_support::ScopedSettingsSandbox sandbox;
};

TEST_F(CloneBackupsFolder, LiesInTheUsersDataFolder)
{
    EXPECT_EQ(folder(), platform::userDataFolder() + "/backups");
}

// The newest copies stay; files that are no copies are never touched.
TEST_F(CloneBackupsFolder, PruningKeepsTheNewestCopiesOnly)
{
    for (const char *name :
         {"2026-01-01_100000_read.vrc", "2026-01-02_100000_write.vrc",
          "2026-01-03_100000_read_77.vrc", "2026-01-03_100001_read.vrc", "notes.txt", "mine.vrc"})
        touch(name);
    CloneBackups::Prune(folder(), 2);
    EXPECT_EQ(files(), (QStringList{"2026-01-03_100000_read_77.vrc", "2026-01-03_100001_read.vrc",
                                    "mine.vrc", "notes.txt"}));
    CloneBackups::Prune(folder(), 0);
    EXPECT_EQ(files(), (QStringList{"mine.vrc", "notes.txt"}));
}

TEST_F(CloneBackupsFolder, KeepSavesACloneFileAndPrunes)
{
    cmcEeprom image;
    image.SetSize(0x10000);
    image.SetByte(0x100, 0x42);
    CloneBackups::Copy copy;
    copy.image = &image;
    copy.modelCode = 0x3079;
    copy.ranges = clone_file_policy::fileRanges();
    std::string path;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(CloneBackups::Keep(copy, 2, path), "");
        EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
    }
    // However close together, each copy has a file of its own; two stay.
    EXPECT_EQ(files().size(), 2);
    EXPECT_EQ(CloneBackups::Keep(copy, 0, path), "");
    EXPECT_EQ(path, "");
    EXPECT_EQ(files().size(), 2);
}

TEST_F(CloneBackupsFolder, AFolderThatCannotBeMadeIsReportedNotFatal)
{
    // A file where the folder should be.
    QDir().mkpath(QString::fromStdString(platform::userDataFolder()));
    QFile blocker(QString::fromStdString(folder()));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    cmcEeprom image;
    image.SetSize(0x10000);
    CloneBackups::Copy copy;
    copy.image = &image;
    copy.ranges = clone_file_policy::fileRanges();
    std::string path;
    EXPECT_NE(CloneBackups::Keep(copy, 50, path), "");
    EXPECT_EQ(path, "");
}

} // namespace
