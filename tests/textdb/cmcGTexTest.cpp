#include "textdb/cmcGTex.h"
#include "textdb/TextFields.h"

#include "support/TestPaths.h"

#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::HasSubstr;
using testing_support::fixtureDir;
using testing_support::writeFile;

namespace {

std::string small() { return fixtureDir() + "textdb/small-crlf.ovl"; }

std::string gtexError(const std::string &key)
{
    return "GTEX Error !\nThe index '" + key + "' was not found.";
}

// An overlay written to a temporary folder from its lines.
class OverlayFile
{
public:
    explicit OverlayFile(const std::vector<std::string> &lines, const char *lineEnd = "\n")
    {
        std::string text;
        for (const auto &line : lines)
            text += line + lineEnd;
        writeFile(path(), text);
    }
    std::string path() const { return dir_.path().toStdString() + "/test.ovl"; }

private:
    QTemporaryDir dir_;
};

TEST(cmcGTex, ReadsLinesAndTextsOfKeys)
{
    struct Case {
        const char *key;
        int index;
        const char *expected;
    } cases[] = {
        {"GI_Sys_AppTitle", 0, "Quillon(dPMR)"},
        {"GI_Two", 0, "first\tA"},
        {"GI_Two", 1, ""},
        {"GI_Two", 2, "third"},
        // Past its content a key runs on into whatever follows.
        {"GI_Two", 3, "#"},
        {"GI_Two", 4, "after hash"},
        {"GI_Sys_AppTitle", 1, "#GI_Two"},
        // A trailing blank is part of the key name.
        {"GI_Trailing ", 0, "with space"},
        {"GI_Trailing", 0, "without space"},
        // The first of two equal keys wins.
        {"GI_Dup", 0, "one"},
        {"End_Of_Ovl", 0, "#GI_Hidden"},
    };
    cmcGTex db;
    db.Open(small());
    for (const auto &c : cases)
        EXPECT_EQ(db.GetLine(c.key, c.index), c.expected) << c.key << " line " << c.index;
}

TEST(cmcGTex, TextStopsAtTheFirstHashLine)
{
    cmcGTex db;
    db.Open(small());
    EXPECT_EQ(db.GetText("GI_Two"), "first\tA\n\nthird");
    EXPECT_EQ(db.GetText("GI_Sys_AppTitle"), "Quillon(dPMR)");
    EXPECT_EQ(db.GetFirstLine("GI_Two"), "first\tA");
}

TEST(cmcGTex, LfOnlyFilesReadTheSameAsCrLf)
{
    OverlayFile lf({"#GI_A", "alpha", "beta", "#End_Of_Ovl"});
    OverlayFile crlf({"#GI_A", "alpha", "beta", "#End_Of_Ovl"}, "\r\n");
    for (const auto *file : {&lf, &crlf}) {
        cmcGTex db;
        db.Open(file->path());
        EXPECT_EQ(db.GetText("GI_A"), "alpha\nbeta");
    }
}

TEST(cmcGTexDeathTest, MissingKeysAndFilesAreFatal)
{
    struct Case {
        std::string file;
        const char *key;
    } cases[] = {
        {small(), "GI_Missing"},
        // Keys after the end marker are never seen.
        {small(), "GI_Hidden"},
        // A lone "#" does not start a key.
        {small(), ""},
        {fixtureDir() + "textdb/no-such-file.ovl", "GI_Sys_AppTitle"},
        {"", "GI_Sys_AppTitle"},
    };
    for (const auto &c : cases) {
        EXPECT_DEATH(
            {
                cmcGTex db;
                db.Open(c.file);
                db.GetLine(c.key, 0);
            },
            HasSubstr(gtexError(c.key)))
            << c.key;
    }
}

TEST(cmcGTexDeathTest, ReadingPastTheEndOfTheFileIsFatal)
{
    OverlayFile file({"#GI_Last", "only"});
    cmcGTex db;
    db.Open(file.path());
    EXPECT_EQ(db.GetLine("GI_Last", 0), "only");
    EXPECT_DEATH(db.GetLine("GI_Last", 1), HasSubstr(gtexError("GI_Last")));
}

TEST(cmcGTexDeathTest, NoSourceIsFatal)
{
    cmcGTex db;
    EXPECT_DEATH(db.GetLine("GI_A", 0), HasSubstr(gtexError("GI_A")));
}

TEST(cmcGTex, SequentialReadingCostsOneReadPerLine)
{
    OverlayFile file({"#GI_A", "l0", "l1", "l2", "l3", "l4", "l5", "#End_Of_Ovl"});
    cmcGTex db;
    db.Open(file.path());
    EXPECT_EQ(db.GetLine("GI_A", 3), "l3");
    const auto afterFirst = db.counters().sourceReads;
    EXPECT_EQ(db.GetLine("GI_A", 4), "l4");
    EXPECT_EQ(db.counters().sourceReads, afterFirst + 1);

    // Going back starts over from line 0, but every line is cached by now.
    const auto hits = db.counters().cacheHits;
    EXPECT_EQ(db.GetLine("GI_A", 3), "l3");
    EXPECT_EQ(db.counters().sourceReads, afterFirst + 1);
    EXPECT_EQ(db.counters().cacheHits, hits + 4);
}

// The cell handler asks for the same few lines for every cell it draws:
// those come from the cache without moving the file, and a line read after
// them still comes from its own place.
TEST(cmcGTex, CachedLinesLeaveTheFileWhereItIs)
{
    OverlayFile file({"#GI_A", "a0", "a1", "#GI_B", "b0", "b1", "#GI_C", "c0", "#End_Of_Ovl"},
                     "\r\n");
    cmcGTex db;
    db.Open(file.path());
    EXPECT_EQ(db.GetLine("GI_B", 1), "b1");
    // Scanning down to a key and reading on from it never moves the file.
    EXPECT_EQ(db.counters().fileSeeks, 0);
    EXPECT_EQ(db.GetLine("GI_A", 0), "a0");
    // The scan goes on from where it stopped, not from a0.
    EXPECT_EQ(db.GetLine("GI_C", 0), "c0");
    const auto seeks = db.counters().fileSeeks;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(db.GetLine("GI_A", 0), "a0");
        EXPECT_EQ(db.GetLine("GI_B", 1), "b1");
    }
    EXPECT_EQ(db.counters().fileSeeks, seeks);
    // a1 was never read and the file stands after c0: it goes back for it.
    EXPECT_EQ(db.GetLine("GI_A", 1), "a1");
    EXPECT_EQ(db.counters().fileSeeks, seeks + 1);
    EXPECT_EQ(db.GetText("GI_B"), "b0\nb1");
}

TEST(cmcGTex, CacheKeepsOnlyTheMostRecentLines)
{
    std::vector<std::string> lines{"#GI_Long"};
    for (int i = 0; i < 100; ++i)
        lines.push_back("line " + std::to_string(i));
    lines.push_back("#End_Of_Ovl");
    OverlayFile file(lines);
    cmcGTex db;
    db.Open(file.path());
    EXPECT_EQ(db.GetLine("GI_Long", 99), "line 99");
    const auto reads = db.counters().sourceReads;
    // Line 0 fell out of the 64 cached lines and must be read again.
    EXPECT_EQ(db.GetLine("GI_Long", 0), "line 0");
    EXPECT_EQ(db.counters().sourceReads, reads + 1);
}

TEST(cmcGTex, LookupsScanOnlyAsFarAsNeeded)
{
    std::vector<std::string> lines;
    for (int k = 0; k < 50; ++k) {
        lines.push_back("#GI_K" + std::to_string(k));
        lines.push_back("v" + std::to_string(k));
    }
    lines.push_back("#End_Of_Ovl");
    OverlayFile file(lines);
    cmcGTex db;
    db.Open(file.path());
    EXPECT_EQ(db.GetLine("GI_K0", 0), "v0");
    EXPECT_EQ(db.indexedKeyCount(), 1);
    EXPECT_EQ(db.GetLine("GI_K9", 0), "v9");
    EXPECT_EQ(db.indexedKeyCount(), 10);
    EXPECT_FALSE(db.scanFinished());
    EXPECT_FALSE(db.HasKey("GI_Nope"));
    EXPECT_TRUE(db.scanFinished());
    EXPECT_EQ(db.indexedKeyCount(), 51);
}

TEST(cmcGTex, IndexStaysConsistentWhenDeepKeysMoveToTheFront)
{
    std::vector<std::string> lines;
    for (int k = 0; k < 30; ++k) {
        lines.push_back("#GI_K" + std::to_string(k));
        lines.push_back("v" + std::to_string(k));
    }
    lines.push_back("#End_Of_Ovl");
    OverlayFile file(lines);
    cmcGTex db;
    db.Open(file.path());
    // Index keys 0..19, then move the newest (the tail) to the front.
    EXPECT_EQ(db.GetLine("GI_K19", 0), "v19");
    EXPECT_EQ(db.GetLine("GI_K19", 0), "v19");
    EXPECT_EQ(db.GetLine("GI_K12", 0), "v12");
    // Scanning on must still append behind the real tail.
    EXPECT_EQ(db.GetLine("GI_K25", 0), "v25");
    for (int k = 29; k >= 0; --k)
        EXPECT_EQ(db.GetLine("GI_K" + std::to_string(k), 0), "v" + std::to_string(k));
    EXPECT_EQ(db.indexedKeyCount(), 30);
}

TEST(cmcGTex, LongLinesAreSeenInPieces)
{
    const std::string longLine(10000, 'x');
    OverlayFile file({"#GI_Wide", longLine, "next", "#End_Of_Ovl"});
    cmcGTex db;
    db.Open(file.path());
    EXPECT_EQ(db.GetLine("GI_Wide", 0), std::string(8191, 'x'));
    EXPECT_EQ(db.GetLine("GI_Wide", 1), std::string(10000 - 8191, 'x'));
    EXPECT_EQ(db.GetLine("GI_Wide", 2), "next");
}

TEST(cmcGTex, OpenAgainStartsOver)
{
    OverlayFile first({"#GI_A", "first", "#End_Of_Ovl"});
    OverlayFile second({"#GI_A", "second", "#End_Of_Ovl"});
    cmcGTex db;
    db.Open(first.path());
    EXPECT_EQ(db.GetLine("GI_A", 0), "first");
    db.Open(second.path());
    EXPECT_EQ(db.indexedKeyCount(), 0);
    EXPECT_EQ(db.GetLine("GI_A", 0), "second");
}

TEST(cmcGTex, ItemArraysServeAsSource)
{
    const std::vector<std::string> items{"#GI_Sheet", "cell one", "cell two", "#", "#End_Of_Ovl"};
    cmcGTex db;
    ASSERT_TRUE(db.SetItems(&items));
    EXPECT_FALSE(db.SetItems(&items));
    EXPECT_EQ(db.GetText("GI_Sheet"), "cell one\ncell two");
    EXPECT_EQ(db.GetLine("GI_Sheet", 2), "#");
}

TEST(cmcGTex, SetItemsIsRefusedOnceAFileIsSet)
{
    const std::vector<std::string> items{"#End_Of_Ovl"};
    cmcGTex db;
    db.Open(small());
    EXPECT_FALSE(db.SetItems(&items));
    EXPECT_EQ(db.GetFirstLine("GI_Sys_AppTitle"), "Quillon(dPMR)");
}

TEST(cmcGTexDeathTest, ReadingPastTheLastItemFailsInsteadOfOverrunning)
{
    // No end marker: the scan and the reads must stop at the array's end.
    const std::vector<std::string> items{"#GI_A", "a"};
    cmcGTex db;
    db.SetItems(&items);
    EXPECT_EQ(db.GetLine("GI_A", 0), "a");
    EXPECT_DEATH(db.GetLine("GI_A", 1), HasSubstr(gtexError("GI_A")));
    EXPECT_DEATH(db.GetLine("GI_B", 0), HasSubstr(gtexError("GI_B")));
}

TEST(TextFields, SplitsOnTabsAndMissingFieldsAreEmpty)
{
    struct Case {
        const char *line;
        int field;
        const char *expected;
    } cases[] = {
        {"English\tENG.OVL", 0, "English"},
        {"English\tENG.OVL", 1, "ENG.OVL"},
        {"English\tENG.OVL", 2, ""},
        {"NoTab", 0, "NoTab"},
        {"NoTab", 1, ""},
        {"a\t\tc", 1, ""},
        {"a\t\tc", 2, "c"},
        {"\xC3\xA9t\xC3\xA9\tx", 0, "\xC3\xA9t\xC3\xA9"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(textField(c.line, c.field), c.expected) << c.line << " field " << c.field;
}

} // namespace
