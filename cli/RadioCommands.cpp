#include "RadioCommands.h"

#include "CheckCommand.h"
#include "CloneOptions.h"
#include "CommandTable.h"
#include "RadioSession.h"

#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"
#include "link/dst_CDrv_Result.h"
#include "mainframe/WarningCheckList.h"
#include "model/indMain.h"
#include "textdb/GlobalTexts.h"

#include <cstdio>
#include <iostream>

namespace {

constexpr int kPasswordByte = 53;
constexpr std::uint8_t kPasswordRequired = 0x08;
constexpr int kMapRevisionByte = 35;
constexpr int kEndAddressText = 56;
constexpr int kSaveRangeKind = 2;

struct CommandLine {
    const char *name;
    unsigned extras;
};

constexpr CommandLine kInfo = {"info", 0};
constexpr CommandLine kRead = {"read", CloneOptions::kLowSpeed | CloneOptions::kOutput |
                                           CloneOptions::kBackup};
constexpr CommandLine kWrite = {"write", CloneOptions::kLowSpeed | CloneOptions::kMaker |
                                             CloneOptions::kFile | CloneOptions::kBackup |
                                             CloneOptions::kForce};

bool parse(const CommandLine &command, const std::vector<std::string> &arguments,
           CloneOptions &options)
{
    std::string error;
    if (parseCloneOptions(arguments, command.extras, options, error))
        return true;
    std::cerr << "quillon-cli " << command.name << ": " << error << std::endl;
    printCommandUsage(command.name, stderr);
    return false;
}

bool passwordRequired(indMain &model)
{
    return (model.CloneInformation()[kPasswordByte] & kPasswordRequired) != 0;
}

// Why an operation chain stopped after a good ID read.
int stopped(indMain &model, const char *what)
{
    if (passwordRequired(model))
        std::cerr << "quillon-cli: the radio asks for its clone password; give it with "
                     "--password\n";
    std::cerr << "quillon-cli: the " << what << " did not run\n";
    return RadioSession::kStopped;
}

// A file with errors goes to the radio only when the user insists; the
// program's own write then lets it pass.
bool passesWarningCheck(indMain &model, bool force)
{
    if (model.WarningCheck() == 0)
        return true;
    const std::string refusal =
        WarningCheckList::RefusalText(mainTextDatabase(), model.LastWarningCheck());
    std::cerr << (force ? "quillon-cli: warning: " : "quillon-cli: ") << refusal << '\n';
    for (const std::string &line : describeWarningCheck())
        std::cerr << line << '\n';
    if (!force)
        return false;
    std::cerr << "quillon-cli: warning: --force writes the file with its errors\n";
    model.AllowWriteWithErrors(true);
    return true;
}

void printInformation(indMain &model)
{
    const auto &ids = model.CloneIdBytes();
    const auto &info = model.CloneInformation();
    std::printf("model id:       %02X%02X %02X%02X\n", ids[0], ids[1], ids[2], ids[3]);
    std::printf("map revision:   %u\n", unsigned{info[kMapRevisionByte]});
    std::string end;
    for (int i = 0; i < 4; ++i) {
        const auto c = static_cast<char>(info[std::size_t(kEndAddressText + i)]);
        end += c >= 32 && c < 127 ? c : '.';
    }
    std::printf("end address:    %s\n", end.c_str());
    std::printf("clone password: %s\n", passwordRequired(model) ? "required" : "not required");
    std::printf("clone information (%u bytes):\n", unsigned{info[0]});
    for (std::size_t row = 0; row < info.size(); row += 16) {
        std::printf("  %02X ", static_cast<unsigned>(row));
        for (std::size_t i = row; i < row + 16 && i < info.size(); ++i)
            std::printf(" %02X", unsigned{info[i]});
        std::printf("\n");
    }
}

// The copy the clone commands keep by themselves; a failed one is only a
// warning, as the clone went on.
void reportBackup(indMain &model)
{
    if (!model.LastBackupError().empty())
        std::cerr << "quillon-cli: warning: no backup copy: " << model.LastBackupError() << '\n';
    else if (!model.LastBackupPath().empty())
        std::printf("kept a backup copy in %s\n", model.LastBackupPath().c_str());
}

// The radio's memory exactly as it arrived, with the comment the radio's
// data carries.
int saveBackup(indMain &model, const std::string &path)
{
    cmcEeprom image;
    image.CopyFrom(model.ReceivedImage());
    cmcVrcFile file;
    file.SetImage(&image);
    clone_file_policy::applyTo(file);
    file.SetModelCode(static_cast<std::uint16_t>(model.ModelId1()));
    file.SetSubCode(static_cast<std::uint16_t>(model.ModelId2()));
    file.SetComment(cuiMain::CloneComment(model.WorkingImage()));
    const int result = file.Write(path, model.GetRangeList(kSaveRangeKind));
    if (result != cmcVrcFile::ErrNone)
        return RadioSession::kFileErrorBase + result;
    std::printf("saved the radio's memory to %s\n", path.c_str());
    return 0;
}

} // namespace

namespace {

// Parses the command line, sets the session up and runs the command in it.
template <typename Body>
int runInSession(const CommandLine &command, const std::vector<std::string> &arguments, Body body)
{
    CloneOptions options;
    if (!parse(command, arguments, options))
        return RadioSession::kUsage;
    RadioSession session(options);
    if (!session.ready())
        return session.setupFailure();
    return body(session, options);
}

} // namespace

int runInfoCommand(const std::vector<std::string> &arguments)
{
    return runInSession(kInfo, arguments, [](RadioSession &session, const CloneOptions &) {
        session.model().CloneInfo();
        session.waitForRest();
        const int code = session.outcome(clonekind::kIdRead);
        if (code == 0)
            printInformation(session.model());
        return code;
    });
}

int runReadCommand(const std::vector<std::string> &arguments)
{
    return runInSession(kRead, arguments, [](RadioSession &session, const CloneOptions &options) {
        indMain &model = session.model();
        model.CloneRead();
        session.waitForRest();
        const int code = session.outcome(clonekind::kRead);
        if (code == RadioSession::kStopped)
            return stopped(model, "read");
        if (code != 0)
            return code;
        reportBackup(model);
        return saveBackup(model, options.output);
    });
}

int runWriteCommand(const std::vector<std::string> &arguments)
{
    return runInSession(kWrite, arguments, [](RadioSession &session, const CloneOptions &options) {
        indMain &model = session.model();
        if (options.maker) {
            model.EnterMakerMode();
            if (!model.MakerMode())
                return RadioSession::kStopped;
        }
        if (!model.LoadFile(options.file)) {
            const int error = model.LastFileError();
            return error != 0 ? RadioSession::kFileErrorBase + error : RadioSession::kStopped;
        }
        if (!passesWarningCheck(model, options.force))
            return RadioSession::kStopped;
        model.CloneWriteCommand();
        session.waitForRest();
        reportBackup(model);
        const int code = session.outcome(clonekind::kWrite);
        return code == RadioSession::kStopped ? stopped(model, "write") : code;
    });
}
