#include "platform/SafeFileWriter.h"
#include "platform/TextFileReader.h"

#include "support/TestPaths.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

using testing_support::readFile;
using testing_support::writeFile;

namespace {

std::vector<std::string> readAll(const std::string &path, int maxBytes)
{
    platform::TextFileReader reader;
    EXPECT_TRUE(reader.open(path));
    std::vector<std::string> lines;
    std::string line;
    while (reader.readLine(line, maxBytes))
        lines.push_back(line);
    return lines;
}

TEST(TextFileReader, AcceptsCrLfAndLfLineEnds)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/a.txt";
    writeFile(path, "one\r\ntwo\nthree\r\n\r\nlast");
    EXPECT_EQ(readAll(path, 100),
              (std::vector<std::string>{"one\n", "two\n", "three\n", "\n", "last"}));
}

TEST(TextFileReader, LongLinesComeInPieces)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/a.txt";
    writeFile(path, "abcdefg\r\nxy\r\n");
    // Room for 4 bytes: "abc", "def", then "g" with its line end.
    EXPECT_EQ(readAll(path, 4), (std::vector<std::string>{"abc", "def", "g\n", "xy\n"}));
}

TEST(TextFileReader, CrLfSplitAtAPieceBorderStillEndsTheLine)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/a.txt";
    writeFile(path, "abc\r\nd\n");
    EXPECT_EQ(readAll(path, 5), (std::vector<std::string>{"abc\n", "d\n"}));
}

TEST(TextFileReader, PositionsAreByteOffsetsThatCanBeSoughtBack)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/a.txt";
    writeFile(path, "one\r\ntwo\r\n");
    platform::TextFileReader reader;
    ASSERT_TRUE(reader.open(path));
    std::string line;
    ASSERT_TRUE(reader.readLine(line, 100));
    const int64_t second = reader.tell();
    EXPECT_EQ(second, 5);
    ASSERT_TRUE(reader.readLine(line, 100));
    EXPECT_FALSE(reader.readLine(line, 100));
    ASSERT_TRUE(reader.seek(second));
    ASSERT_TRUE(reader.readLine(line, 100));
    EXPECT_EQ(line, "two\n");
}

TEST(SafeFileWriter, WritesCrLfAndReplacesOnlyOnCommit)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/a.vrc";
    writeFile(path, "old");
    platform::SafeFileWriter writer;
    ASSERT_TRUE(writer.open(path));
    ASSERT_TRUE(writer.writeText("30790000\n#Comment=\n"));
    EXPECT_EQ(readFile(path), "old");
    ASSERT_TRUE(writer.commit());
    EXPECT_EQ(readFile(path), "30790000\r\n#Comment=\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(SafeFileWriter, AbandonedWriteLeavesTheOldFileAndNoTemporary)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/a.vrc";
    writeFile(path, "old");
    {
        platform::SafeFileWriter writer;
        ASSERT_TRUE(writer.open(path));
        writer.writeText("partial");
    }
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(SafeFileWriter, FailsCleanlyInAFolderThatCannotBeWritten)
{
    platform::SafeFileWriter writer;
    EXPECT_FALSE(writer.open("/nonexistent-folder/a.vrc"));
    EXPECT_FALSE(writer.writeText("x"));
    EXPECT_FALSE(writer.commit());
}

TEST(SafeFileWriter, NewFileGetsTheUsualPermissions)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/new.vrc";
    platform::SafeFileWriter writer;
    ASSERT_TRUE(writer.open(path));
    ASSERT_TRUE(writer.commit());
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

} // namespace
