#include "textdb/LanguageList.h"
#include "textdb/cmcGTex.h"

#include "support/TestPaths.h"

#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::HasSubstr;
using testing_support::writeFile;

namespace {

class ProgramFolder
{
public:
    std::string dir() const { return dir_.path().toStdString() + "/"; }
    void write(const std::string &name, const std::string &text) { writeFile(dir() + name, text); }

private:
    QTemporaryDir dir_;
};

TEST(LanguageList, CountsNamesAndFiles)
{
    ProgramFolder folder;
    folder.write("QX7315C.OVL",
                 "#GI_Sys_Language\nEnglish\tENG.OVL\nDeutsch\tDEU.OVL\nNoTab\n#\n#End_Of_Ovl\n");
    cmcGTex db;
    db.Open(LanguageList::listOverlayPath(folder.dir()));
    LanguageList list(db);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.displayName(1), "Deutsch");
    EXPECT_EQ(list.overlayFile(0), "ENG.OVL");
    EXPECT_EQ(list.overlayFile(2), "");
}

TEST(LanguageList, CountStopsAfter256Lines)
{
    ProgramFolder folder;
    std::string text = "#GI_Sys_Language\n";
    for (int i = 0; i < 300; ++i)
        text += "Language " + std::to_string(i) + "\tL.OVL\n";
    folder.write("QX7315C.OVL", text + "#End_Of_Ovl\n");
    cmcGTex db;
    db.Open(LanguageList::listOverlayPath(folder.dir()));
    EXPECT_EQ(LanguageList(db).count(), 255);
}

TEST(LanguageList, OpeningKeepsTheLanguageInRange)
{
    ProgramFolder folder;
    folder.write("QX7315C.OVL", "#GI_Sys_Language\nEnglish\tENG.OVL\nDeutsch\tDEU.OVL\n#\n"
                                "#End_Of_Ovl\n");
    folder.write("ENG.OVL", "#GI_Sys_AppTitle\nEnglish title\n#GI_Sys_MyHelpOvl\nENGHELP.OVL\n"
                            "#End_Of_Ovl\n");
    folder.write("DEU.OVL", "#GI_Sys_AppTitle\nDeutscher Titel\n#GI_Sys_MyHelpOvl\nDEUHELP.OVL\n"
                            "#End_Of_Ovl\n");
    struct Case {
        int language;
        int expectedLanguage;
        const char *title;
        const char *help;
    } cases[] = {
        {0, 0, "English title", "ENGHELP.OVL"},
        {1, 1, "Deutscher Titel", "DEUHELP.OVL"},
        {2, 0, "English title", "ENGHELP.OVL"},
        {-1, 0, "English title", "ENGHELP.OVL"},
    };
    for (const auto &c : cases) {
        cmcGTex list;
        cmcGTex texts;
        int language = c.language;
        const std::string help = openTextDatabases(list, texts, language, folder.dir());
        EXPECT_EQ(language, c.expectedLanguage);
        EXPECT_EQ(texts.GetFirstLine("GI_Sys_AppTitle"), c.title);
        EXPECT_EQ(help, folder.dir() + c.help);
    }
}

TEST(LanguageListDeathTest, ALanguageWithoutOverlayStopsAtTheFirstLookup)
{
    ProgramFolder folder;
    folder.write("QX7315C.OVL", "#GI_Sys_Language\nNoTab\n#\n#End_Of_Ovl\n");
    cmcGTex list;
    cmcGTex texts;
    int language = 0;
    EXPECT_DEATH(openTextDatabases(list, texts, language, folder.dir()),
                 HasSubstr("GTEX Error !\nThe index 'GI_Sys_MyHelpOvl' was not found."));
}

} // namespace
