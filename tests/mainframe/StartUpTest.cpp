#include "FrameTestFixture.h"

#include "model/GlobalModel.h"
#include "platform/RegistryStore.h"
#include "settings/GlobalEnvironment.h"
#include "shell/CommandLineSwitches.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

using platform::MessageResult;
using platform::RegistryStore;

namespace {

const std::string kPath = ProgramGlobals::kSettingsPath;

TEST(ProgramGlobals, EnvironmentComesFirstAndIsSavedAfterTheModel)
{
    testing_support::ScopedSettingsSandbox sandbox;
    {
        // A complete store whose language the list does not offer.
        indEnviron seed(ProgramGlobals::kMutexName, kPath, kPath);
        seed.languageNumber = 7;
    }
    const indEnviron *built = nullptr;
    {
        ProgramGlobals globals(ScreenSize{1024, 768});
        built = &globals.Environment();
        EXPECT_TRUE(globals.IsFirstInstance());
        EXPECT_EQ(&environment(), built);
        EXPECT_EQ(modelObject(), &globals.Model());
        // The model opened the overlays with the environment's language and
        // brought it back into the list.
        EXPECT_EQ(globals.Environment().languageNumber, 0);
        EXPECT_EQ(appTitle(), "Quillon(dPMR)");
    }
    EXPECT_EQ(modelObject(), nullptr);
    EXPECT_NE(&environment(), built);
    EXPECT_EQ(RegistryStore::readInteger(kPath + "\\Setup", "Language"), 0u);
}

TEST(ProgramGlobals, SecondInstanceKeepsZeroSettingsAndSavesNothing)
{
    testing_support::ScopedSettingsSandbox sandbox;
    ProgramGlobals first(ScreenSize{1024, 768});
    first.Environment().comPort = 5;
    {
        ProgramGlobals second(ScreenSize{1024, 768});
        EXPECT_FALSE(second.IsFirstInstance());
        EXPECT_EQ(second.Environment().comPort, 0);
        EXPECT_EQ(second.Environment().settingsMarker, 0);
    }
    EXPECT_FALSE(RegistryStore::readInteger(kPath + "\\Global", "ComPort").has_value());
}

// The real program: a second copy started while one runs goes at once with
// code 0 and shows nothing.
TEST(ProgramProcess, SecondCopyExitsAtOnceWithCodeZero)
{
    QTemporaryDir home;
    const QString program = QString::fromStdString(testing_support::binaryDir() + "bin/quillon");
    ASSERT_TRUE(QFile::exists(program));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.insert("XDG_RUNTIME_DIR", home.path());
    const auto start = [&](QProcess &process, const QString &probe) {
        QProcessEnvironment own = environment;
        own.insert("QUILLON_TEST_PROBE", home.filePath(probe));
        process.setProcessEnvironment(own);
        process.start(program, {});
    };

    QProcess first;
    start(first, "first");
    ASSERT_TRUE(first.waitForStarted());
    // The first copy is up once it has described its window.
    for (int i = 0; i < 300 && !QFile::exists(home.filePath("first/state")); ++i)
        QThread::msleep(50);
    ASSERT_TRUE(QFile::exists(home.filePath("first/state")));

    QProcess second;
    start(second, "second");
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(QDir(home.filePath("second")).exists());
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
}

class CommandLineSwitches : public FrameTest
{};

TEST_F(CommandLineSwitches, AskInMakerFirstOrderAndOnlyWhileTheModeIsOff)
{
    struct Case {
        const char *name;
        std::vector<std::string> arguments;
        std::vector<MessageResult> answers;
        std::vector<const char *> asked;
        bool maker;
        bool factory;
    };
    const char *maker = "GI_Mess_Maker_Caution";
    const char *factory = "GI_Mess_FactADJMode_Caution";
    const Case cases[] = {
        {"capitals", {"quillon", "/LANTERN"}, {MessageResult::Ok}, {maker}, true, false},
        {"twice, accepted",
         {"quillon", "/lantern", "/Lantern"},
         {MessageResult::Ok},
         {maker},
         true,
         false},
        {"twice, cancelled",
         {"quillon", "/lantern", "/lantern"},
         {MessageResult::Cancel, MessageResult::Cancel},
         {maker, maker},
         false,
         false},
        {"maker first",
         {"quillon", "/factory_adj", "/lantern"},
         {MessageResult::Ok, MessageResult::Ok},
         {maker, factory},
         true,
         true},
        {"program path counts", {"/FACTORY_ADJ"}, {MessageResult::Cancel}, {factory}, false, false},
        {"near misses", {"quillon", "lantern", "/lanternx", "-factory_adj"}, {}, {}, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        globals.reset();
        recorder.clear();
        for (MessageResult answer : c.answers)
            recorder.queueAnswer(answer);
        processCommandLineSwitches(c.arguments, model());
        std::vector<std::string> expected;
        for (const char *key : c.asked)
            expected.push_back(mainTextDatabase().GetText(key));
        EXPECT_EQ(shownTexts(), expected);
        EXPECT_EQ(model().MakerMode(), c.maker);
        EXPECT_EQ(model().FactoryAdjustMode(), c.factory);
        for (const auto &shown : recorder.shown()) {
            EXPECT_EQ(shown.caption, "Quillon(dPMR)");
            EXPECT_EQ(shown.icon, platform::MessageIcon::Warning);
            EXPECT_EQ(shown.buttons, platform::MessageButtons::OkCancel);
        }
    }
}

} // namespace
