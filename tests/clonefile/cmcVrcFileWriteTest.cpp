#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"

#include "VrcTestFiles.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using testing_support::readFile;
using vrc_test::joinLines;

namespace {

class VrcWrite : public testing::Test
{
protected:
    VrcWrite()
    {
        vrc_test::fillWithFullRadio(image_);
        file_.SetImage(&image_);
        clone_file_policy::applyTo(file_);
        file_.SetReportErrors(false);
    }

    std::string writeRanges(const RangeList &ranges)
    {
        const std::string path = folder_.path("w.vrc");
        EXPECT_EQ(file_.Write(path, ranges), 0);
        return readFile(path);
    }

    vrc_test::TempFolder folder_;
    cmcEeprom image_;
    cmcVrcFile file_;
};

TEST_F(VrcWrite, ReproducesTheFullRadioFixtureByteForByte)
{
    file_.SetComment("Full radio fixture");
    EXPECT_EQ(writeRanges(clone_file_policy::fileRanges()), readFile(vrc_test::fullRadioPath()));
}

TEST_F(VrcWrite, LinesNeverCrossASixteenByteBoundary)
{
    struct Case {
        const char *name;
        RangeList ranges;
        std::vector<std::string> dataLines;
    } cases[] = {
        {"inside one line", {{0x21, 0x23}}, {"002103222324"}},
        {"ragged both ends",
         {{0x1D, 0x31}},
         {"001D031E1F20", "0020102122232425262728292A2B2C2D2E2F30", "0030023132"}},
        {"several ranges in order",
         {{0x40, 0x40}, {0x10, 0x11}, {1, 0}},
         {"00400141", "0010021112"}},
        {"improper first pair", {{1, 0}, {0, 15}}, {}},
        {"a pair outside the image ends the list",
         {{0, 0}, {0xFF00, 0x1B0F7}, {1, 1}},
         {"00000151"}},
        {"beyond four address digits", {{0, 0}, {0xFFFF, 0x10000}}, {"00000151"}},
    };
    for (const Case &c : cases) {
        std::vector<std::string> lines = {"30790000", "#Comment=", "#MapRev=1"};
        lines.insert(lines.end(), c.dataLines.begin(), c.dataLines.end());
        EXPECT_EQ(writeRanges(c.ranges), joinLines(lines)) << c.name;
    }
}

TEST_F(VrcWrite, HeaderCodesAreWrittenAsFourHexDigitsEach)
{
    file_.SetModelCode(0x30A9);
    file_.SetSubCode(0x0100);
    file_.SetMapRevision(-1);
    EXPECT_EQ(writeRanges({{1, 0}}), joinLines({"30A90100", "#Comment=", "#MapRev=-1"}));
}

TEST_F(VrcWrite, CommentsCannotBreakTheLineStructure)
{
    struct Case {
        const char *name;
        std::string comment;
        std::string written;
    } cases[] = {
        {"plain", "Fleet 7 / north", "Fleet 7 / north"},
        {"line ends and NUL", std::string("a\r\n0000010A\0b", 13), "a  0000010A b"},
        {"UTF-8 kept", "K\xC3\xA4nal", "K\xC3\xA4nal"},
        {"cut to the reader's line", std::string(800, 'x'), std::string(757, 'x')},
        // 756 ASCII bytes, then a two-byte character that would straddle the cut.
        {"no half character", std::string(756, 'x') + "\xC3\xA4", std::string(756, 'x')},
    };
    for (const Case &c : cases) {
        file_.SetComment(c.comment);
        EXPECT_EQ(writeRanges({{0, 0}}),
                  joinLines({"30790000", "#Comment=" + c.written, "#MapRev=1", "00000151"}))
            << c.name;
        cmcEeprom back;
        back.SetSize(16);
        cmcVrcFile reader;
        reader.SetImage(&back);
        reader.SetReportErrors(false);
        EXPECT_EQ(reader.Read(folder_.path("w.vrc"), {{0, 0}}), 0) << c.name;
    }
}

TEST_F(VrcWrite, RoundTripsReachAFixedPoint)
{
    // Every byte value, at addresses that shift it from line to line.
    for (int32_t a = 0; a <= 0xFF7F; ++a)
        image_.SetByte(a, static_cast<uint8_t>(a * 7 + a / 256));
    file_.SetComment("round trip");
    const std::string first = folder_.path("first.vrc");
    ASSERT_EQ(file_.Write(first, clone_file_policy::fileRanges()), 0);

    cmcEeprom back;
    back.SetSize(vrc_test::kWorkingImageSize);
    cmcVrcFile reader;
    reader.SetImage(&back);
    clone_file_policy::applyTo(reader);
    ASSERT_EQ(reader.Read(first, clone_file_policy::fileRanges()), 0);
    for (int32_t a = 0; a <= 0xFF7F; ++a)
        ASSERT_EQ(back.GetByte(a), image_.GetByte(a)) << a;

    reader.SetComment("round trip");
    reader.SetMapRevision(1);
    const std::string second = folder_.path("second.vrc");
    ASSERT_EQ(reader.Write(second, clone_file_policy::fileRanges()), 0);
    EXPECT_EQ(readFile(second), readFile(first));
}

TEST_F(VrcWrite, FilesThatCannotBeCreated)
{
    const std::string old = folder_.write("old.vrc", "old content");
    struct Case {
        const char *name;
        std::string path;
    } cases[] = {
        {"missing folder", folder_.path("none/x.vrc")},
        {"a folder", folder_.path("")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(file_.Write(c.path, clone_file_policy::fileRanges()), cmcVrcFile::ErrFileOpen)
            << c.name;
    EXPECT_EQ(folder_.fileNames(), std::vector<std::string>{"old.vrc"});
}

// Makes every write beyond a few bytes fail, as a full disk would.
class ScopedFileSizeLimit
{
public:
    explicit ScopedFileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~ScopedFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit &) = delete;
    ScopedFileSizeLimit &operator=(const ScopedFileSizeLimit &) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(VrcWrite, AFailedSaveKeepsTheFileItReplaces)
{
    const std::string path = folder_.write("a.vrc", "the previous save");
    int result = 0;
    {
        ScopedFileSizeLimit limit(4096);
        result = file_.Write(path, clone_file_policy::fileRanges());
    }
    EXPECT_EQ(result, cmcVrcFile::ErrFileAccess);
    EXPECT_EQ(readFile(path), "the previous save");
    EXPECT_EQ(folder_.fileNames(), std::vector<std::string>{"a.vrc"}) << "no temporary left";

    ASSERT_EQ(file_.Write(path, clone_file_policy::fileRanges()), 0);
    EXPECT_EQ(readFile(path).substr(0, 10), "30790000\r\n");
    EXPECT_EQ(folder_.fileNames(), std::vector<std::string>{"a.vrc"});
}

} // namespace
