#include "mainframe/cuiMain.h"

#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcEvMan.h"
#include "cells/cmcFCache.h"
#include "cells/indCellHandler.h"
#include "channels/datClipCh.h"
#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"
#include "image/WorkingLayout.h"
#include "link/CloneCommands.h"
#include "link/CloneHost.h"
#include "link/dst_CDrv_Result.h"
#include "link/imcCloneDrv.h"
#include "link/indCloneMan.h"
#include "mainframe/CloneBackups.h"
#include "mainframe/HelpContext.h"
#include "mainframe/ProgramBindings.h"
#include "platform/FatalError.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "textdb/GlobalTexts.h"
#include "textdb/LanguageList.h"
#include "textdb/cmcGTex.h"
#include "textdb/cmcHelpGTex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace wl = working_layout;

namespace {

const char *const kUntitled = "Untitled";
// Where the window puts its mark for unsaved changes.
const char *const kModifiedMark = "[*]";
// The ranges a clone file of the whole radio holds.
constexpr int kSaveRangeKind = 2;

std::string directoryOf(const std::string &path)
{
    return QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
}

std::string fileNameOf(const std::string &path)
{
    return QFileInfo(QString::fromStdString(path)).fileName().toStdString();
}

// The saved directory when there is one, else the documents folder, else
// the process's current directory.
std::string startDirectory()
{
    if (!environment().currentDirectory.empty())
        return environment().currentDirectory;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents.toStdString();
    return QDir::currentPath().toStdString();
}

// A clone comment field: bytes outside the printable ASCII range become
// blanks, trailing blanks go.
std::string commentField(const cmcEeprom &image, int32_t offset)
{
    std::string text;
    for (int32_t i = 0; i < wl::kCloneCommentLength; ++i) {
        const uint8_t byte = image.GetByte(offset + i);
        text += byte >= 32 && byte <= 126 ? static_cast<char>(byte) : ' ';
    }
    return text;
}

std::string trimTrailingBlanks(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

} // namespace

// Without a window nothing is shown and every dialog counts as cancelled,
// except the clone password prompt: a password kept in the settings (the
// command-line tool puts its --password there) answers it.
class cuiMain::HeadlessView final : public cuiMainView
{
public:
    bool AskClonePassword() override { return !environment().clonePassword.empty(); }
};

// What the clone manager and the clone commands need of the frame. The
// frame's slots keep their own shapes (the model object overrides them), so
// this small adapter stands between them.
class cuiMain::CloneLink final : public CloneHost
{
public:
    explicit CloneLink(cuiMain &frame) : frame_(frame) {}

    CloneSettings LinkSettings() override
    {
        const indEnviron &settings = environment();
        CloneSettings link;
        link.portSelect = settings.portSelect;
        link.comPort = settings.comPort;
        link.comSpeedHigh = settings.comSpeedHigh != 0;
        link.ipAddress = settings.ipAddress;
        link.tcpPort = settings.tcpPort;
        link.clonePassword = settings.clonePassword;
        return link;
    }
    void EnableMainWindow(bool enabled) override { frame_.view_->EnableMainWindow(enabled); }
    void FocusMainWindow() override { frame_.view_->FocusMainWindow(); }
    void EndCellEdit() override { frame_.view_->EndCellEdit(); }
    bool QuerySaveChanges() override { return frame_.SaveChangesPrompt(false); }
    std::int32_t ModelId1() override { return frame_.modelId1_; }
    std::int32_t ModelId2() override { return frame_.modelId2_; }
    bool MakerMode() override { return frame_.MakerMode(); }
    void StoreCloneIds(const std::uint8_t ids[4]) override
    {
        std::copy_n(ids, 4, frame_.cloneIdBytes_.begin());
    }
    std::uint8_t *CloneInfoArea() override { return frame_.cloneInfo_.data(); }
    cmcEeprom &WorkingImage() override { return frame_.working_; }
    bool ImageCheck(const cmcEeprom &image, bool strict) override
    {
        return frame_.CheckImage(image, strict);
    }
    bool ModelCheck(const cmcEeprom &image) override { return !frame_.CheckModel(image); }
    void AfterLoadHook(cmcEeprom &image) override
    {
        // The image holds the radio's memory as it arrived only until the
        // model converts it.
        frame_.received_.CopyFrom(image);
        frame_.AfterLoad(image);
    }
    void BeforeSaveHook(cmcEeprom &image, bool store) override { frame_.BeforeSave(image, store); }
    void ReadContinuation(dst_CDrv_Result &result) override
    {
        frame_.ReadContinuation(result.code);
    }
    void WriteContinuation(dst_CDrv_Result &result) override
    {
        frame_.WriteContinuation(result.code);
    }
    RangeList MakeRangeList(std::int32_t kind) override { return frame_.GetRangeList(kind); }
    void MarkClonedDocument() override
    {
        frame_.reference_.CopyFrom(frame_.working_);
        frame_.modified_ = true;
        frame_.SetFilePath({});
    }
    void CloseCurrentSheet() override { frame_.view_->CloseCurrentSheet(); }
    void PostEvent(std::int32_t event) override { frame_.PostEvent(event); }
    void ShowCloneInfoWindow() override { frame_.view_->ShowCloneInfoWindow(); }
    void ShowStatus(const std::string &text) override { postStatusText(text); }
    std::string KeepBackup(const cmcEeprom &radioImage, bool written) override
    {
        return frame_.KeepBackup(radioImage, written);
    }

private:
    cuiMain &frame_;
};

cuiMain::cuiMain(const std::string &softwareCode, int32_t imageSize)
    : softwareCode_(softwareCode), imageSize_(imageSize),
      channelClipboard_(std::make_unique<datClipCh>()), headless_(std::make_unique<HeadlessView>()),
      view_(headless_.get()), cloneLink_(std::make_unique<CloneLink>(*this))
{
    helpOverlayPath_ =
        openTextDatabases(languageTextDatabase(), mainTextDatabase(), environment().languageNumber,
                          platform::programDirectory());
    helpTextDatabase().Open(helpOverlayPath_);
    defaultDirectory_ = startDirectory();
    createCloneManager(std::make_unique<indCloneMan>(*cloneLink_));
    working_.SetSize(imageSize);
    reference_.SetSize(imageSize);
    saved_.SetSize(imageSize);
    initial_.CopyFrom(working_);
    InitModelIds();
}

cuiMain::~cuiMain() = default;

void cuiMain::InitModelIds()
{
    modelId1_ = 0;
    modelId2_ = 0;
}

void cuiMain::BuildWindow()
{
    if (imageSize_ < kMinimumImageSize)
        platform::fatalError("Self Check Error.\nEEPROM Map is too large.");
    int32_t &modelType = environment().modelType;
    if (modelType != 0 && modelType != 1)
        modelType = 1;
    LoadInitialFile(modelType);
    ConvertInitialToWorking(initial_);
    working_.CopyFrom(initial_);
    ConvertWorkingToRadio(working_, false);
    reference_.CopyFrom(working_);
    MarkSaved();
    view_->CloseCurrentSheet();
    view_->BuildWindow();
    SendEvent(kEvRefreshStates);
    RebuildTree();
}

void cuiMain::RebuildTree()
{
    view_->RebuildTree();
    WarningCheck();
    view_->CloseCurrentSheet();
    SendEvent(kEvRebuildChannelTree);
}

bool cuiMain::CheckImage(const cmcEeprom &image, bool strict)
{
    return CloneCommands::ImageCheck(image, strict);
}

bool cuiMain::CheckModel(const cmcEeprom &image)
{
    (void)image;
    return true;
}

void cuiMain::AfterLoad(cmcEeprom &image) { (void)image; }

void cuiMain::BeforeSave(cmcEeprom &image, bool store)
{
    (void)image;
    (void)store;
}

void cuiMain::ModelHook(cmcEeprom &image) { (void)image; }

// The checks ask the cell handler, which serves the installed host only: a
// frame that is not the program's host has nothing to check. The counts
// do not depend on a tree; only the marks need one.
int cuiMain::WarningCheck()
{
    lastWarningCheck_ = {};
    if (cellHost() != this)
        return 0;
    lastWarningCheck_ =
        WarningCheckList::Run(mainTextDatabase(), ModelType(), &indCellHandler::Handle);
    view_->MarkTree(lastWarningCheck_.errors, lastWarningCheck_.warnings);
    return lastWarningCheck_.ErrorCount();
}

void cuiMain::LoadInitialFile(int modelType)
{
    const std::string path =
        platform::programDirectory() + mainTextDatabase().GetLine("GI_App_InitialFile", modelType);
    cmcVrcFile file;
    file.SetImage(&initial_);
    clone_file_policy::applyTo(file);
    file.SetHeaderCheck(headerCheck, this);
    file.SetReportErrors(false);
    if (file.Read(path, GetRangeList(3)) != cmcVrcFile::ErrNone)
        platform::fatalError(platform::formatText("Cannot open '%s'.", path));
}

// The clone commands decide on the result record; its code is all they read.
void cuiMain::ReadContinuation(int code)
{
    dst_CDrv_Result result;
    result.code = code;
    cloneCommands_->ReadContinuation(result);
}

void cuiMain::CloneWriteCommand() { cloneCommands_->CloneWrite(); }

void cuiMain::WriteContinuation(int code)
{
    dst_CDrv_Result result;
    result.code = code;
    cloneCommands_->WriteContinuation(result);
}

bool cuiMain::CheckCloneFileModel(int id1, int id2, int &code)
{
    if (id1 != modelId1_) {
        code = cmcVrcFile::ErrModel;
        return false;
    }
    if (id2 != modelId2_) {
        code = cmcVrcFile::ErrExtra;
        return false;
    }
    return true;
}

RangeList cuiMain::GetRangeList(int kind)
{
    (void)kind;
    return {{0, 65407}, {1, 0}};
}

bool cuiMain::ChangeModelType(int modelType, bool withConfirmation)
{
    (void)modelType;
    (void)withConfirmation;
    return false;
}

void cuiMain::AttachView(cuiMainView *view) { view_ = view != nullptr ? view : headless_.get(); }

void cuiMain::CloneRead() { cloneCommands_->CloneRead(); }

void cuiMain::CloneInfo() { cloneCommands_->CloneInfo(); }

void cuiMain::createCloneManager(std::unique_ptr<indCloneMan> manager)
{
    cloneCommands_.reset();
    cloneManager_ = std::move(manager);
    cloneManager_->SetProgressView(progressView_);
    cloneManager_->AdjustDriver().SetSweepHost(sweepHost_);
    cloneCommands_ = std::make_unique<CloneCommands>(*cloneLink_, *cloneManager_);
}

void cuiMain::InstallCloneDrivers(std::unique_ptr<cmcCloneDrv> clone,
                                  std::unique_ptr<imcCloneDrv> adjust)
{
    if (cloneManager_->IsBusy())
        return;
    createCloneManager(
        std::make_unique<indCloneMan>(*cloneLink_, std::move(clone), std::move(adjust)));
}

void cuiMain::SetCloneProgressView(CloneProgressView *view)
{
    progressView_ = view;
    cloneManager_->SetProgressView(view);
}

void cuiMain::SetAdjustSweepHost(AdjustSweepHost *host)
{
    sweepHost_ = host;
    cloneManager_->AdjustDriver().SetSweepHost(host);
}

// An edit may have made the working image differ from the saved one, which
// the title shows.
void cuiMain::CellChangeHook()
{
    view_->SetTitle(TitleText());
    view_->ArmWarningCheck();
}

int cuiMain::ModelType() const { return environment().modelType; }

const CellBindingRegistry &cuiMain::Bindings() { return programBindings(); }

void cuiMain::UpdateLayout() { ConvertWorkingToRadio(working_, false); }

bool cuiMain::HasRoomForAnother(std::int32_t countAddress)
{
    (void)countAddress;
    return true;
}

void cuiMain::OpenSelectionList(const cmcCellCapsule &opening, std::int32_t style,
                                std::int32_t current, const std::string &sheetKey,
                                const std::string &listTag)
{
    view_->OpenSelectionList(opening, style, current, sheetKey, listTag);
}

void cuiMain::OpenCellWindow(const cmcCellCapsule &opening, const CodecOpen &window)
{
    view_->OpenCellWindow(opening, window);
}

void cuiMain::ShowCellHelp(const cmcCellCapsule &capsule)
{
    const std::string file = mainTextDatabase().GetFirstLine("GI_Sys_MyHelpFile");
    view_->ShowHelpContext(platform::programDirectory() + file, FindHelpContext(capsule));
}

void cuiMain::CopyToClipboard(const std::string &text) { view_->CopyToClipboard(text); }

int cuiMain::FindHelpContext(const cmcCellCapsule &capsule)
{
    if (capsule.cell == nullptr)
        return 0;
    // The option texts follow the language, so they are read afresh.
    cmcFCache formats(mainTextDatabase());
    const help_context::Topic topic = help_context::topicOf(
        capsule.cell->label, capsule.cell->index, working_, mainTextDatabase(), formats);
    return help_context::contextOf(helpTextDatabase(), topic);
}

void cuiMain::SetCloneInformation(const uint8_t *bytes, int count)
{
    cloneInfo_.fill(0);
    std::copy_n(bytes, std::clamp(count, 0, kCloneInformationSize), cloneInfo_.begin());
}

void cuiMain::PostEvent(int code, int argument, const std::string &text)
{
    if (text.empty())
        eventManager().Post(code, nullptr, argument);
    else
        eventManager().PostText(code, nullptr, argument, text);
}

void cuiMain::SendEvent(int code, int argument, const std::string &text)
{
    if (text.empty())
        eventManager().Send(code, nullptr, argument);
    else
        eventManager().SendText(code, nullptr, argument, text);
}

void cuiMain::EnterFactoryAdjustMode()
{
    if (factoryAdjustMode_)
        return;
    factoryAdjustMode_ =
        platform::showMessage(appTitle(), mainTextDatabase().GetText("GI_Mess_FactADJMode_Caution"),
                              platform::MessageIcon::Warning,
                              platform::MessageButtons::OkCancel) == platform::MessageResult::Ok;
}

// A language whose overlay is missing would end the program at its first
// text, taking unsaved work with it; the switch is refused instead.
bool cuiMain::ChangeLanguage()
{
    const std::string directory = platform::programDirectory();
    const int language = environment().languageNumber;
    const std::string overlay =
        directory + LanguageList(languageTextDatabase()).overlayFile(language);
    if (!QFile(QString::fromStdString(overlay)).open(QIODevice::ReadOnly)) {
        const std::string text = mainTextDatabase().GetText("GI_Mess_Language_Missing");
        platform::showMessage(appTitle(), platform::formatText(text.c_str(), overlay),
                              platform::MessageIcon::Error);
        return false;
    }
    openLanguageOverlay(languageTextDatabase(), mainTextDatabase(), language, directory);
    helpOverlayPath_ = directory + mainTextDatabase().GetFirstLine("GI_Sys_MyHelpOvl");
    helpTextDatabase().Open(helpOverlayPath_);
    view_->RebuildMainMenu();
    RebuildTree();
    view_->SetTitle(TitleText());
    view_->CloseCurrentSheet();
    return true;
}

void cuiMain::ConvertRadioToWorking(cmcEeprom &image) { (void)image; }

void cuiMain::ConvertInitialToWorking(cmcEeprom &image) { (void)image; }

bool cuiMain::ConvertWorkingToRadio(cmcEeprom &image, bool cloneWrite)
{
    (void)image;
    (void)cloneWrite;
    return false;
}

bool cuiMain::headerCheck(void *context, int modelCode, int subCode, int *error)
{
    return static_cast<cuiMain *>(context)->CheckCloneFileModel(modelCode, subCode, *error);
}

// Document ---------------------------------------------------------------

bool cuiMain::IsModified() const { return modified_ || working_.Differs(saved_); }

void cuiMain::MarkSaved()
{
    saved_.CopyFrom(working_);
    modified_ = false;
    view_->SetTitle(TitleText());
}

void cuiMain::MarkModified()
{
    modified_ = true;
    view_->SetTitle(TitleText());
}

void cuiMain::SetFilePath(const std::string &path)
{
    filePath_ = path;
    view_->SetTitle(TitleText());
}

// The window shows "[*]" as a mark while the document has unsaved changes.
std::string cuiMain::TitleText() const
{
    const std::string name = filePath_.empty() ? kUntitled : fileNameOf(filePath_);
    return name + kModifiedMark + " - " + appTitle();
}

// The comment comes from the working layout, which holds the radio's after a
// read and the document's before a write.
std::string cuiMain::KeepBackup(const cmcEeprom &radioImage, bool written)
{
    CloneBackups::Copy copy;
    copy.image = &radioImage;
    copy.modelCode = static_cast<uint16_t>(modelId1_);
    copy.subCode = static_cast<uint16_t>(modelId2_);
    copy.comment = CloneComment(working_);
    copy.ranges = GetRangeList(kSaveRangeKind);
    copy.written = written;
    copy.serial = CloneCommands::InfoSerialNumber(cloneInfo_.data());
    lastBackupError_ = CloneBackups::Keep(copy, environment().backupsKept, lastBackupPath_);
    return lastBackupError_;
}

void cuiMain::OpenBackupFolder()
{
    const std::string folder = CloneBackups::Folder();
    QDir().mkpath(QString::fromStdString(folder));
    view_->OpenFolder(folder);
}

bool cuiMain::SaveChangesPrompt(bool another)
{
    if (!IsModified())
        return true;
    const std::string text =
        another ? mainTextDatabase().GetFirstLine("GI_Mess_Confirm_WriteAnother")
                : platform::formatText(
                      mainTextDatabase().GetFirstLine("GI_Mess_Confirm_WriteFile").c_str(),
                      filePath_.empty() ? kUntitled : fileNameOf(filePath_));
    switch (platform::showMessage(appTitle(), text, platform::MessageIcon::Warning,
                                  platform::MessageButtons::YesNoCancel)) {
    case platform::MessageResult::Yes:
        return filePath_.empty() || another ? SaveAs() : Save();
    case platform::MessageResult::No:
        return true;
    default:
        return false;
    }
}

void cuiMain::New()
{
    if (!SaveChangesPrompt(false))
        return;
    working_.CopyFrom(initial_);
    ConvertWorkingToRadio(working_, false);
    reference_.CopyFrom(working_);
    MarkSaved();
    SetFilePath({});
    view_->CloseCurrentSheet();
    PostEvent(kEvBankCaption, 0);
    RebuildTree();
}

cuiMainView::FileDialog cuiMain::fileDialog(const std::string &fileName) const
{
    cmcGTex &texts = mainTextDatabase();
    return {texts.GetLine("GI_Sys_Dialog_FOpen", 0), texts.GetLine("GI_Sys_Dialog_FOpen", 1),
            fileName, defaultDirectory_};
}

void cuiMain::Open()
{
    view_->EndCellEdit();
    std::string path;
    if (view_->ChooseFileToOpen(fileDialog({}), path))
        LoadFile(path);
}

bool cuiMain::LoadFile(const std::string &path)
{
    const bool another = QString::fromStdString(path).compare(QString::fromStdString(filePath_),
                                                              Qt::CaseInsensitive) == 0;
    lastFileError_ = 0;
    if (!SaveChangesPrompt(another))
        return false;
    cmcEeprom loaded;
    loaded.SetSize(working_.GetSize());
    view_->SetBusyCursor(true);
    cmcVrcFile file;
    file.SetImage(&loaded);
    clone_file_policy::applyTo(file);
    file.SetHeaderCheck(headerCheck, this);
    int result = file.Read(path);
    if (result == cmcVrcFile::ErrNone) {
        if (!CheckImage(loaded, false))
            result = cmcVrcFile::ErrData;
        else if (!CheckModel(loaded))
            result = cmcVrcFile::ErrNewer;
        else
            result = file.CheckCoverage(GetRangeList(3));
        cmcVrcFile::ShowError(result);
    }
    lastFileError_ = result;
    if (result == cmcVrcFile::ErrNone) {
        rememberFile(path);
        working_.CopyFrom(loaded);
        AfterLoad(working_);
        reference_.CopyFrom(working_);
        MarkSaved();
        view_->CloseCurrentSheet();
        SendEvent(kEvRebuildChannelTree);
    }
    view_->SetBusyCursor(false);
    RebuildTree();
    return result == cmcVrcFile::ErrNone;
}

bool cuiMain::Save() { return filePath_.empty() ? SaveAs() : SaveTo(filePath_); }

bool cuiMain::SaveAs()
{
    std::string path;
    if (!view_->ChooseFileToSave(fileDialog(fileNameOf(filePath_)), path))
        return false;
    return SaveTo(path);
}

std::string cuiMain::CloneComment(const cmcEeprom &image)
{
    return trimTrailingBlanks(trimTrailingBlanks(commentField(image, wl::kCloneComment1)) +
                              commentField(image, wl::kCloneComment2));
}

bool cuiMain::SaveTo(const std::string &path)
{
    view_->EndCellEdit();
    BeforeSave(working_, true);
    ConvertWorkingToRadio(working_, false);
    view_->SetBusyCursor(true);
    cmcVrcFile file;
    file.SetImage(&working_);
    clone_file_policy::applyTo(file);
    file.SetModelCode(static_cast<uint16_t>(modelId1_));
    file.SetSubCode(static_cast<uint16_t>(modelId2_));
    file.SetComment(CloneComment(working_));
    const bool written = file.Write(path, GetRangeList(2)) == cmcVrcFile::ErrNone;
    if (written) {
        rememberFile(path);
        MarkSaved();
    }
    view_->SetBusyCursor(false);
    return written;
}

void cuiMain::rememberFile(const std::string &path)
{
    defaultDirectory_ = directoryOf(path);
    environment().currentDirectory = defaultDirectory_;
    environment().recentFiles.addToFront(path);
    SetFilePath(path);
}
