#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"

#include "VrcTestFiles.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using vrc_test::joinLines;

namespace {

using Bytes = std::vector<std::pair<int32_t, uint8_t>>;

struct ReadCase {
    const char *name;
    std::string content;
    int expected;
    Bytes stored; // checked after a successful read
};

class VrcRead : public testing::Test
{
protected:
    VrcRead()
    {
        vrc_test::fillWithMarker(image_);
        original_.CopyFrom(image_);
        file_.SetImage(&image_);
        clone_file_policy::applyTo(file_);
        file_.SetReportErrors(false);
    }

    // Each case starts from the untouched image.
    int readText(const std::string &content)
    {
        image_.CopyFrom(original_);
        return file_.Read(folder_.write("a.vrc", content));
    }

    void expectUnchanged(const char *name) const
    {
        EXPECT_TRUE(image_.Equals(original_)) << name << ": a failed read changed the image";
    }

    void expectCase(const ReadCase &c, int result) const
    {
        EXPECT_EQ(result, c.expected) << c.name;
        if (result != cmcVrcFile::ErrNone) {
            expectUnchanged(c.name);
            return;
        }
        for (const auto &[address, value] : c.stored)
            EXPECT_EQ(image_.GetByte(address), value) << c.name << " at " << address;
    }

    vrc_test::TempFolder folder_;
    cmcEeprom image_;
    cmcEeprom original_;
    cmcVrcFile file_;
};

const std::string H = "30790000";
const std::string C = "#Comment=a radio";
const std::string M = "#MapRev=1";

TEST_F(VrcRead, HeaderRules)
{
    const ReadCase cases[] = {
        {"plain", joinLines({H, C, M, "0000020102"}), 0, {{0, 1}, {1, 2}}},
        {"other variant", joinLines({"30790100", "0000010A"}), 0, {{0, 0x0A}}},
        {"hex letters are not digits", joinLines({"3079000A", "0000010A"}), 6, {}},
        {"refused sub-code", joinLines({"30790001", "0000010A"}), 4, {}},
        {"refused model", joinLines({"30800000", "0000010A"}), 3, {}},
        {"seven digits", joinLines({"3079000", "0000010A"}), 6, {}},
        {"nine digits", joinLines({"307900000", "0000010A"}), 6, {}},
        {"blank after digits", joinLines({"30790000 ", "0000010A"}), 6, {}},
        {"empty file", "", 6, {}},
        {"header without line end", "30790000", 6, {}},
        {"header alone", joinLines({H}), 0, {}},
        {"LF line ends", joinLines({H, C, M, "0000020102"}, "\n"), 0, {{0, 1}, {1, 2}}},
    };
    for (const ReadCase &c : cases)
        expectCase(c, readText(c.content));
}

TEST_F(VrcRead, MapRevisionRules)
{
    const ReadCase cases[] = {
        {"no revision line", joinLines({H, C, "0000010A"}), 0, {{0, 0x0A}}},
        {"revision 2", joinLines({H, C, "#MapRev=2", "0000010A"}), 5, {}},
        {"revision 0", joinLines({H, "#MapRev=0", "0000010A"}), 0, {{0, 0x0A}}},
        {"negative revision", joinLines({H, "#MapRev=-7", "0000010A"}), 0, {{0, 0x0A}}},
        {"C number reading", joinLines({H, "#MapRev= +1x", "0000010A"}), 0, {{0, 0x0A}}},
        {"huge revision", joinLines({H, "#MapRev=99999999999999", "0000010A"}), 5, {}},
        {"later line overrides", joinLines({H, "#MapRev=3", M, "0000010A"}), 0, {{0, 0x0A}}},
        {"asked once, before the first data line",
         joinLines({H, M, "0000010A", "#MapRev=5", "0001010B"}),
         0,
         {{0, 0x0A}, {1, 0x0B}}},
        {"asked before the line's syntax", joinLines({H, "#MapRev=2", "garbage"}), 5, {}},
        // The number is taken at the ninth character, wherever "MapRev=" stands.
        {"comment naming it", joinLines({H, "#Comment=MapRev=5", "0000010A"}), 0, {{0, 0x0A}}},
        {"ninth character", joinLines({H, "#XXXXXXX2 MapRev=", "0000010A"}), 5, {}},
        {"lower case is no revision", joinLines({H, "#maprev=7", "0000010A"}), 0, {{0, 0x0A}}},
    };
    for (const ReadCase &c : cases)
        expectCase(c, readText(c.content));
}

TEST_F(VrcRead, DataLineRules)
{
    const std::string maxLine = "0100FF" + std::string(510, 'E');
    const ReadCase cases[] = {
        {"lower case hex", joinLines({H, "00a0021bcd"}), 0, {{0xA0, 0x1B}, {0xA1, 0xCD}}},
        {"255 bytes", joinLines({H, maxLine}), 0, {{0x100, 0xEE}, {0x1FE, 0xEE}}},
        {"declares more than it holds", joinLines({H, "000002010203"}), 6, {}},
        {"declares fewer than it holds", joinLines({H, "0000010102"}), 6, {}},
        {"odd length", joinLines({H, "0000010A0"}), 6, {}},
        {"count zero", joinLines({H, "000000"}), 6, {}},
        {"count zero with a byte", joinLines({H, "0000000A"}), 6, {}},
        {"not hex", joinLines({H, "0000010G"}), 6, {}},
        {"blank inside", joinLines({H, "0000 010A"}), 6, {}},
        {"trailing blank", joinLines({H, "0000010A "}), 6, {}},
        {"empty line", joinLines({H, M, "", "0000010A"}), 6, {}},
        {"lone CR before the line end", joinLines({H, "0000010A\r"}), 6, {}},
        {"last data line without line end", joinLines({H, M, "0000010A"}, "\r\n", false), 6, {}},
        // A cut-off last line must not pass by losing a stray character.
        {"last line with a stray character", joinLines({H, "0000010AX"}, "\r\n", false), 6, {}},
        {"last comment without line end", joinLines({H, "0000010A", C}, "\r\n", false), 0, {}},
        {"later lines overwrite", joinLines({H, "0000020102", "0001010B"}), 0, {{0, 1}, {1, 0x0B}}},
        {"any order", joinLines({H, "0010010B", "0000010A"}), 0, {{0, 0x0A}, {0x10, 0x0B}}},
        {"a bad line after good ones", joinLines({H, "0000010A", "0001010"}), 6, {}},
        {"mixed line ends", H + "\n" + M + "\r\n" + "0000010A\n", 0, {{0, 0x0A}}},
    };
    for (const ReadCase &c : cases)
        expectCase(c, readText(c.content));
}

TEST_F(VrcRead, LinesAreTakenUpToTheReadersLength)
{
    // 766 characters and the line end fill the reader's line exactly.
    const std::string fits = "#" + std::string(765, 'c');
    const std::string tooLong = fits + "c";
    struct Case {
        const char *name;
        std::string content;
        int expected;
    } cases[] = {
        {"longest comment, CR LF", joinLines({H, fits, "0000010A"}), 0},
        {"longest comment, LF", joinLines({H, fits, "0000010A"}, "\n"), 0},
        {"one more, CR LF", joinLines({H, tooLong, "0000010A"}), 6},
        {"one more, LF", joinLines({H, tooLong, "0000010A"}, "\n"), 6},
        {"too long at the end of the file", joinLines({H, tooLong}, "\n", false), 0},
        {"overlong header", joinLines({std::string(800, '3'), "0000010A"}), 6},
        {"overlong data line", joinLines({H, "00000A" + std::string(1000, '0')}), 6},
    };
    for (const Case &c : cases)
        EXPECT_EQ(readText(c.content), c.expected) << c.name;
}

TEST_F(VrcRead, MalformedFixturesLeaveTheImageUntouched)
{
    for (const char *name : {"overlong-comment.vrc", "nul-in-line.vrc"}) {
        EXPECT_EQ(file_.Read(testing_support::fixtureDir() + "clonefile/" + name),
                  cmcVrcFile::ErrFormat)
            << name;
        expectUnchanged(name);
        EXPECT_EQ(file_.GetLoadedCount(), 0) << name;
    }
}

TEST_F(VrcRead, AddressesMustLieInsideTheImage)
{
    image_.SetSize(0x100);
    image_.Fill(0x5A);
    original_.CopyFrom(image_);
    const ReadCase cases[] = {
        {"last byte", joinLines({H, "00FF0107"}), 0, {{0xFF, 7}}},
        {"runs past the end", joinLines({H, "0000010A", "00FF020102"}), 8, {}},
        {"starts past the end", joinLines({H, "0100010A"}), 8, {}},
        {"syntax is checked first", joinLines({H, "01000201"}), 6, {}},
    };
    for (const ReadCase &c : cases)
        expectCase(c, readText(c.content));
}

TEST_F(VrcRead, FilesThatCannotBeOpened)
{
    EXPECT_EQ(file_.Read(folder_.path("missing.vrc")), cmcVrcFile::ErrFileOpen);
    EXPECT_EQ(file_.Read(folder_.path("")), cmcVrcFile::ErrFileOpen) << "a folder";
    expectUnchanged("open");
}

TEST_F(VrcRead, AHeaderRefusalAlwaysCarriesACode)
{
    file_.SetHeaderCheck(
        [](void *, int, int, int *error) {
            *error = 0;
            return false;
        },
        nullptr);
    EXPECT_EQ(readText(joinLines({H, "0000010A"})), cmcVrcFile::ErrModel);
    expectUnchanged("refusal");
}

TEST_F(VrcRead, ChecksSeeTheCodesAndTheRevisionOfTheFile)
{
    struct Seen {
        int model = -1, sub = -1, revision = -100, revisionCalls = 0;
    } seen;
    file_.SetHeaderCheck(
        [](void *context, int model, int sub, int *) {
            static_cast<Seen *>(context)->model = model;
            static_cast<Seen *>(context)->sub = sub;
            return true;
        },
        &seen);
    file_.SetMapRevisionCheck(
        [](void *context, int revision) {
            static_cast<Seen *>(context)->revision = revision;
            ++static_cast<Seen *>(context)->revisionCalls;
            return true;
        },
        &seen);
    file_.SetMapRevision(1);
    ASSERT_EQ(readText(joinLines({"12345678", C, "0000010A", "0001010B"})), 0);
    EXPECT_EQ(seen.model, 0x1234);
    EXPECT_EQ(seen.sub, 0x5678);
    EXPECT_EQ(seen.revision, -1) << "no revision line before the data";
    EXPECT_EQ(seen.revisionCalls, 1);
    EXPECT_EQ(file_.GetMapRevision(), -1);
}

// ---- coverage -------------------------------------------------------------

std::vector<std::string> fullRadioLines()
{
    std::vector<std::string> lines;
    std::string line;
    for (const char c : testing_support::readFile(vrc_test::fullRadioPath())) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    return lines;
}

std::vector<std::string> withoutLine(std::vector<std::string> lines, const std::string &start)
{
    std::erase_if(lines, [&](const std::string &l) { return l.rfind(start, 0) == 0; });
    return lines;
}

std::vector<std::string> withLine(std::vector<std::string> lines, const std::string &extra)
{
    lines.push_back(extra);
    return lines;
}

TEST_F(VrcRead, TheFullRadioFixtureLoadsEveryByte)
{
    ASSERT_EQ(file_.Read(vrc_test::fullRadioPath(), clone_file_policy::fileRanges()), 0);
    EXPECT_EQ(file_.GetLoadedCount(), 0xFF80);
    EXPECT_EQ(file_.GetMapRevision(), 1);
    cmcEeprom expected;
    vrc_test::fillWithFullRadio(expected);
    for (int32_t a = 0xFF80; a < expected.GetSize(); ++a)
        expected.SetByte(a, 0xC3);
    EXPECT_TRUE(image_.Equals(expected));
}

TEST_F(VrcRead, CoverageOfTheExpectedRanges)
{
    const std::vector<std::string> full = fullRadioLines();
    ASSERT_EQ(full.size(), 3u + 4088u);
    struct Case {
        const char *name;
        std::vector<std::string> lines;
        RangeList ranges;
        int expected;
    } cases[] = {
        {"complete", full, clone_file_policy::fileRanges(), 0},
        {"a line missing", withoutLine(full, "8000"), clone_file_policy::fileRanges(), 7},
        {"two bytes from 0xFF7F", withLine(full, "FF7F020102"), clone_file_policy::fileRanges(), 8},
        {"both missing and outside", withLine(withoutLine(full, "0000"), "FF80010A"),
         clone_file_policy::fileRanges(), 8},
        {"ranges in pieces", full, {{0, 0x7FFF}, {0x8000, 0xFF7F}, {1, 0}}, 0},
        {"nothing expected", full, {{1, 0}, {0, 0xFF7F}}, 8},
        {"part expected", full, {{0, 0x00FF}, {1, 0}}, 8},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(file_.Read(folder_.write("c.vrc", joinLines(c.lines)), c.ranges), c.expected)
            << c.name;
        if (c.expected != 0)
            expectUnchanged(c.name);
        image_.CopyFrom(original_);
    }
}

TEST_F(VrcRead, CoverageCanBeLeftToTheCaller)
{
    const std::string path =
        folder_.write("c.vrc", joinLines(withoutLine(fullRadioLines(), "8000")));
    ASSERT_EQ(file_.Read(path), 0);
    EXPECT_EQ(file_.GetLoadedCount(), 0xFF80 - 16);
    EXPECT_EQ(image_.GetByte(0x8000), 0xC3);
    EXPECT_EQ(image_.GetByte(0x7FFF), vrc_test::fullRadioByte(0x7FFF));
    EXPECT_EQ(file_.CheckCoverage(clone_file_policy::fileRanges()), cmcVrcFile::ErrCoverage);
    EXPECT_EQ(file_.CheckCoverage({{0, 0x7FFF}, {0x8010, 0xFF7F}}), 0);
    EXPECT_EQ(file_.CheckCoverage({{0, 0x7FFF}}), cmcVrcFile::ErrData);
}

TEST_F(VrcRead, AnEmptyFileBodyCoversNothing)
{
    const std::string path = folder_.write("e.vrc", joinLines({H, C, M}));
    EXPECT_EQ(file_.Read(path, {{1, 0}}), 0);
    EXPECT_EQ(file_.Read(path, clone_file_policy::fileRanges()), cmcVrcFile::ErrCoverage);
}

} // namespace
