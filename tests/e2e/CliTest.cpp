// quillon-cli as a user runs it: its exit code and what it prints, against
// the radio program on a pseudo-terminal, on TCP and behind ser2net.
#include "E2eRig.h"

#include "MemoryFile.h"
#include "VirtualRadioProcess.h"
#include "support/TestPaths.h"

#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

#include <span>

namespace e2e {
namespace {

constexpr int kHangLimitMs = 180000;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::ostream &operator<<(std::ostream &stream, const CliRun &run)
{
    return stream << "exit " << run.exitCode << "\n--- stdout\n"
                  << run.out << "--- stderr\n"
                  << run.err;
}

// A setting typed from the command line and where its sheet shows it.
struct TypedSetting {
    const char *assignment;
    const char *sheet;
    const char *shown; // a line of the sheet
};

// The document the command-line tool works on, and the tool run on private
// settings with nothing on its standard input.
class CliTest : public ModelRig
{
protected:
    CliRun cli(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", QString::fromStdString(tempPath("home")));
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(tempPath("config")));
        environment.insert("XDG_DATA_HOME", QString::fromStdString(tempPath("data")));
        process.setProcessEnvironment(environment);
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(QStringLiteral(QUILLON_CLI_PROGRAM), arguments);
        CliRun run;
        if (!process.waitForFinished(kHangLimitMs)) {
            process.kill();
            process.waitForFinished();
            return run;
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = process.readAllStandardOutput().toStdString();
        run.err = process.readAllStandardError().toStdString();
        return run;
    }

    static bool holds(const std::string &text, const std::string &part)
    {
        return text.find(part) != std::string::npos;
    }

    Bytes loadMemory(const std::string &path)
    {
        Bytes memory = vradio::MemoryFile::blankMemory(kRadioBytes);
        EXPECT_EQ(vradio::MemoryFile::load(path, memory), "") << path;
        return memory;
    }

    std::string text(const char *key) { return mainTextDatabase().GetText(key); }

    // Writes the file to a radio on a pseudo-terminal and reads the radio
    // back into `back`.
    void throughTheRadio(const QString &file, const QString &back)
    {
        const std::string device = radio_.startOnPty(
            {"--memory", QString::fromStdString(saveMemory(documentLayout(), "radio.vrc"))});
        ASSERT_FALSE(device.empty());
        const QString link = QString::fromStdString(device);
        const CliRun write = cli({"write", "--device", link, file, "--yes", "--no-backup"});
        ASSERT_EQ(write.exitCode, 0) << write;
        const CliRun read = cli({"read", "--device", link, "-o", back, "--no-backup"});
        ASSERT_EQ(read.exitCode, 0) << read;
    }

    VirtualRadioProcess radio_;

    // Settings typed into an initial file go to the radio and come back on
    // their sheets as they were typed.
    void settingsSurviveTheRadio(const char *initialFile, std::span<const TypedSetting> settings)
    {
        const std::string initial = tempPath("initial.vrc");
        ASSERT_TRUE(QFile::copy(
            QString::fromStdString(testing_support::sourceDir() + "data/" + initialFile),
            QString::fromStdString(initial)));
        const QString made = QString::fromStdString(tempPath("made.vrc"));
        // A radio takes no memory without a channel.
        QStringList arguments = {"set", QString::fromStdString(initial), "CL_Mch_FreqR[0]=145.5"};
        for (const TypedSetting &setting : settings)
            arguments << setting.assignment;
        arguments << "-o" << made;
        const CliRun set = cli(arguments);
        ASSERT_EQ(set.exitCode, 0) << set;

        const QString back = QString::fromStdString(tempPath("back.vrc"));
        ASSERT_NO_FATAL_FAILURE(throughTheRadio(made, back));

        for (const TypedSetting &setting : settings) {
            const CliRun sheet = cli({"sheet", setting.sheet, "--file", back});
            ASSERT_EQ(sheet.exitCode, 0) << setting.sheet << "\n" << sheet;
            EXPECT_TRUE(holds(sheet.out, setting.shown))
                << setting.assignment << " on " << setting.sheet << "\n"
                << sheet;
        }
    }
};

// Reading a radio and writing the file back gives the radio the memory it
// had: the backup is faithful and the write sends what the file holds.
TEST_F(CliTest, RoundTripOverAPseudoTerminal)
{
    const Bytes memory = documentLayout();
    const std::string saved = tempPath("saved.vrc");
    const std::string device =
        radio_.startOnPty({"--memory", QString::fromStdString(saveMemory(memory, "radio.vrc")),
                           "--save", QString::fromStdString(saved)});
    ASSERT_FALSE(device.empty());
    const QString link = QString::fromStdString(device);
    const QString backup = QString::fromStdString(tempPath("backup.vrc"));

    const CliRun info = cli({"info", "--device", link});
    EXPECT_EQ(info.exitCode, 0) << info;
    EXPECT_TRUE(holds(info.out, "model id:       3079 0000")) << info;
    EXPECT_TRUE(holds(info.out, "clone password: not required")) << info;

    const CliRun read = cli({"read", "--device", link, "-o", backup});
    ASSERT_EQ(read.exitCode, 0) << read;
    EXPECT_EQ(loadMemory(backup.toStdString()), memory);
    // The copy in the backups folder holds the same memory; --no-backup
    // keeps none.
    const QDir copies(QString::fromStdString(tempPath("data") + "/quillon/backups"));
    const QStringList kept =
        copies.entryList({QStringLiteral("*_read_0A1B2C3D4E5F.vrc")}, QDir::Files);
    ASSERT_EQ(kept.size(), 1) << read;
    EXPECT_TRUE(holds(read.out, "kept a backup copy in " + copies.filePath(kept[0]).toStdString()))
        << read;
    EXPECT_EQ(loadMemory(copies.filePath(kept[0]).toStdString()), memory);
    const CliRun again = cli({"read", "--device", link, "-o", backup, "--no-backup"});
    ASSERT_EQ(again.exitCode, 0) << again;
    EXPECT_EQ(copies.entryList({QStringLiteral("*.vrc")}, QDir::Files).size(), 1);

    // Nobody at the terminal to confirm: the write is cancelled.
    const CliRun cancelled = cli({"write", "--device", link, backup});
    EXPECT_EQ(cancelled.exitCode, 1) << cancelled;
    EXPECT_TRUE(holds(cancelled.err, text("GI_Mess_Confirm_CloneWrite"))) << cancelled;
    EXPECT_TRUE(holds(cancelled.err, "-> Cancel")) << cancelled;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(saved)));

    const CliRun write = cli({"write", "--device", link, backup, "--yes"});
    ASSERT_EQ(write.exitCode, 0) << write;
    EXPECT_TRUE(holds(write.out, text("GI_Mess_CloneWrite_Succeeded"))) << write;
    EXPECT_EQ(loadMemory(saved), memory);
}

// Channels typed into the initial file from the command line reach the
// radio and come back from it; the file typed into stays as it was.
TEST_F(CliTest, ChannelsSetFromTheCommandLineSurviveTheRadio)
{
    const std::string initial = tempPath("initial.vrc");
    ASSERT_TRUE(
        QFile::copy(QString::fromStdString(testing_support::sourceDir() + "data/QX7315C_LMR.vrc"),
                    QString::fromStdString(initial)));
    const Bytes before = loadMemory(initial);
    const QString made = QString::fromStdString(tempPath("made.vrc"));
    const CliRun set = cli({"set", QString::fromStdString(initial), "CL_Mch_FreqR[0]=145.5",
                            "CL_Mch_Text[0]=HELLO", "CL_Mch_FreqR[1]=146.52",
                            "CL_Mch_Text[1]=SIMPLEX", "-o", made});
    ASSERT_EQ(set.exitCode, 0) << set;
    EXPECT_EQ(loadMemory(initial), before);

    const QString back = QString::fromStdString(tempPath("back.vrc"));
    ASSERT_NO_FATAL_FAILURE(throughTheRadio(made, back));

    const CliRun inspect = cli({"inspect", back});
    ASSERT_EQ(inspect.exitCode, 0) << inspect;
    for (const char *shown : {"145.500000", "HELLO", "146.520000", "SIMPLEX"})
        EXPECT_TRUE(holds(inspect.out, shown)) << shown << "\n" << inspect;
}

// One setting of every radio-wide family, typed into the initial file, goes
// to the radio and comes back on its sheet as it was typed.
TEST_F(CliTest, RadioWideSettingsSetFromTheCommandLineSurviveTheRadio)
{
    const TypedSetting settings[] = {
        {"CL_SetM_BeepLev=Linked 7", "GI_Sheet_SetMode", "Beep level\tLinked 7\n"},
        {"CL_USetM_Fan=On", "GI_Sheet_UserSetMode", "Fan\tOn\n"},
        {"CL_CW_ID_Code=de w1aw/r", "GI_Sheet_CwId", "ID code\tDE W1AW/R\n"},
        {"CL_Comm_SetModeAccess=Inhibited", "GI_Sheet_Common", "Set mode access\tInhibited\n"},
        {"CL_Common_Tot_Repeat=12", "GI_Sheet_Common_Timers", "Repeat time-out (min)\t12!W\n"},
        {"CL_KDisp_Key_Conv_P0=Monitor", "GI_Sheet_KeyDisp", "P0\tMonitor\tNull\n"},
        {"CL_Exp_UserCtcss=88.5", "GI_Sheet_Expert", "User CTCSS frequency (Hz)\t 88.5\n"},
        {"CL_ExtPort_InOut_2_Dir=Input", "GI_Sheet_ExtPort", "Port 2\tInput\t"},
        {"CL_ExtPort_ChSW_Table_MoveCH[4]=7", "GI_Sheet_ExtPort_ChSwTable", "  5\t7!W\n"},
        {"CL_ScanComm_StopTimer=12", "GI_Sheet_Scan", "Stop timer A (s)\t 12\n"},
        {"CL_ScanList_Text[2]=AIRPORT", "GI_Sheet_ScanList", "  3\t\tAIRPORT\t"},
        {"CL_UTone_Encode[0]=1000", "GI_Sheet_UserTone", "  1\t1000.0!W\t"},
        {"CL_CTone_Sel[4]=On", "GI_Sheet_TonePair", "\tOn\n"},
        {"CL_Msk_AdrRange_Group=2000", "GI_Sheet_Msk", "Group addresses\t2000\t4095 (No Edit)\n"},
        {"CL_Dtmf_Code[0]=12*#", "GI_Sheet_Dtmf_Memory", "  1\t12*#\t"},
        {"CL_2T_RxFreq_1st[2]=1500", "GI_Sheet_TwoTone_Code", "  2\t1500.0\t"},
        {"CL_5TRx_RxCode[3]=1234", "GI_Sheet_FiveTone_Rx", "  3\t1234\t"},
        {"CL_Digi_Ind_Id_Dec[1]=4660", "GI_Sheet_Digital_Ind_Id,X", "  2\t\t1234\t4660\t"},
        {"CL_Digi_Encryption_Key[5]=BEEF", "GI_Sheet_Digital_Encryption", "  6\t\tBEEF\n"},
        {"CL_Digi_Config_Unit_Hex=1A2B", "GI_Sheet_Digital", "Unit ID\t6699\n"},
        {"CL_Digi_Trunk_SU_Grp_Wait=42", "GI_Sheet_Digital", "Group call wait (s)\t 42\n"},
        {"CL_Digi_Expert_N7_Counter=200", "GI_Sheet_Digital_Expert", "Error counter (N7)\t200\n"},
        {"CL_MultiTable_Decode[1]=023N", "GI_Sheet_MultipleTable,M",
         "  2\t1 (No Edit)\tCTCSS/DTCS\t023N\t"},
    };
    settingsSurviveTheRadio("QX7315C_LMR.vrc", settings);
}

// The PMR model's dPMR settings and lists travel the same way.
TEST_F(CliTest, DpmrSettingsSetFromTheCommandLineSurviveTheRadio)
{
    const TypedSetting settings[] = {
        {"CL_Dpmr_Ind_Id_Dec[2]=500****", "GI_Sheet_Dpmr_Ind_Id,D", "  3\t500****\t"},
        {"CL_Dpmr_Config_Attempt_No=4", "GI_Sheet_Dpmr", "Attempts\t4\t"},
        {"CL_Dpmr_Encryption_Key[0]=c0de", "GI_Sheet_Dpmr_Encryption", "  1\tC0DE\n"},
    };
    settingsSurviveTheRadio("QX7315C_PMR.vrc", settings);
}

// A password-protected radio over TCP: nothing without the password, the
// whole memory with it.
TEST_F(CliTest, PasswordProtectedRadioOverTcp)
{
    const Bytes memory = documentLayout();
    const quint16 port = radio_.startOnTcp(
        {"--memory", QString::fromStdString(saveMemory(memory, "radio.vrc")), "--password", "k3y"});
    ASSERT_NE(port, 0);
    const QString link = "localhost:" + QString::number(port);
    const QString backup = QString::fromStdString(tempPath("backup.vrc"));

    const CliRun info = cli({"info", "--tcp", link});
    EXPECT_EQ(info.exitCode, 0) << info;
    EXPECT_TRUE(holds(info.out, "clone password: required")) << info;

    const CliRun refused = cli({"read", "--tcp", link, "-o", backup});
    EXPECT_EQ(refused.exitCode, 1) << refused;
    EXPECT_TRUE(holds(refused.err, "--password")) << refused;
    EXPECT_FALSE(QFile::exists(backup));

    const CliRun read = cli({"read", "--tcp", link, "--password", "k3y", "-o", backup});
    ASSERT_EQ(read.exitCode, 0) << read;
    EXPECT_EQ(loadMemory(backup.toStdString()), memory);
}

// quillon-cli, TCP, ser2net, a pseudo-terminal, the radio: the way to a
// radio behind a serial server.
TEST_F(CliTest, RoundTripThroughASer2netBridge)
{
    if (!VirtualRadioProcess::bridgeAvailable())
        GTEST_SKIP() << "ser2net is not installed (scripts/setup-debian.sh installs it)";
    const Bytes memory = documentLayout();
    const std::string saved = tempPath("saved.vrc");
    const quint16 port = radio_.startBehindBridge(
        {"--memory", QString::fromStdString(saveMemory(memory, "radio.vrc")), "--save",
         QString::fromStdString(saved)},
        38400);
    ASSERT_NE(port, 0);
    const QString link = "127.0.0.1:" + QString::number(port);
    const QString backup = QString::fromStdString(tempPath("backup.vrc"));

    const CliRun info = cli({"info", "--tcp", link});
    EXPECT_EQ(info.exitCode, 0) << info;
    const CliRun read = cli({"read", "--tcp", link, "-o", backup});
    ASSERT_EQ(read.exitCode, 0) << read;
    EXPECT_EQ(loadMemory(backup.toStdString()), memory);
    const CliRun write = cli({"write", "--tcp", link, backup, "--yes"});
    ASSERT_EQ(write.exitCode, 0) << write;
    EXPECT_EQ(loadMemory(saved), memory);
}

struct ExitCase {
    const char *name;
    QStringList arguments;
    // Starts a silent radio on TCP and adds --tcp with its port.
    bool silentRadio;
    int exitCode;
    const char *printed;
};

class CliExitTest : public CliTest, public ::testing::WithParamInterface<ExitCase>
{};

TEST_P(CliExitTest, ExitCodeAndMessage)
{
    const ExitCase &c = GetParam();
    QStringList arguments = c.arguments;
    if (c.silentRadio) {
        const quint16 port = radio_.startOnTcp({"--stop-after-frames", "0"});
        ASSERT_NE(port, 0);
        arguments << "--tcp"
                  << "127.0.0.1:" + QString::number(port);
    }
    const CliRun run = cli(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run;
    EXPECT_TRUE(holds(run.out + run.err, c.printed)) << run;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, CliExitTest,
    ::testing::Values(
        ExitCase{"NoOutputFile", {"read", "--port", "97"}, false, 2, "-o FILE.vrc"},
        ExitCase{
            "TwoLinks", {"info", "--port", "97", "--tcp", "127.0.0.1:9"}, false, 2, "only one of"},
        ExitCase{"PasswordTooLong",
                 {"info", "--port", "97", "--password", "12345678901234567"},
                 false,
                 2,
                 "1 to 16 characters"},
        ExitCase{"NoSuchDevice",
                 {"info", "--device", "/dev/quillon-e2e-none"},
                 false,
                 2,
                 "The link to the radio cannot be opened (/dev/quillon-e2e-none).\n\n"
                 "The device does not exist"},
        ExitCase{"SilentRadio", {"info"}, true, 5, "The radio does not answer."},
        ExitCase{"MissingFile",
                 {"write", "--port", "97", "/nonexistent/radio.vrc"},
                 false,
                 101,
                 "The file cannot be opened."}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

} // namespace
} // namespace e2e
