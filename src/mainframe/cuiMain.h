#pragma once

#include "cells/CellHost.h"
#include "image/AddressRange.h"
#include "image/cmcEeprom.h"
#include "mainframe/WarningCheckList.h"
#include "mainframe/cuiMainView.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class cmcCellCapsule;
class datClipCh;
class AdjustSweepHost;
class CloneCommands;
class CloneProgressView;
class cmcCloneDrv;
class imcCloneDrv;
class indCloneMan;

// The logic behind the main window, common to clone programs: the working
// image and its copies, the document (new, open, save), the clone commands
// with the clone manager, the model's virtual operations in slot order, and
// the window through cuiMainView. The model object derives from it and
// overrides the slots. Events go to the program's event manager. It is the
// cell handler's host: the cells reach the program through it alone.
class cuiMain : public CellHost
{
public:
    static constexpr int kCloneInformationSize = 127;
    // The smallest image that holds the radio memory and the working layout.
    static constexpr int32_t kMinimumImageSize = 110839;

    // Opens the text databases, creates the images and the default directory.
    cuiMain(const std::string &softwareCode, int32_t imageSize);
    cuiMain(const cuiMain &) = delete;
    cuiMain &operator=(const cuiMain &) = delete;

    ~cuiMain() override;
    // Model ids 1 and 2.
    virtual void InitModelIds();
    // The document from the initial file, then the window.
    virtual void BuildWindow();
    virtual void RebuildTree();
    // The radio layout's identification; strict adds the maker text, the
    // model code and the end marker (the clone commands' image check).
    virtual bool CheckImage(const cmcEeprom &image, bool strict);
    // True when the image may be taken.
    virtual bool CheckModel(const cmcEeprom &image);
    // After a file was opened or a clone read finished.
    virtual void AfterLoad(cmcEeprom &image);
    // Before the image is saved or sent; store is false after loading.
    virtual void BeforeSave(cmcEeprom &image, bool store);
    virtual void ModelHook(cmcEeprom &image);
    // Runs the warning check list, marks the tree and returns the number of
    // errors found (a clone write waits until there are none).
    virtual int WarningCheck();
    // The sheets the last warning check found errors or warnings on.
    const WarningCheckList::Result &LastWarningCheck() const { return lastWarningCheck_; }
    // The model type's initial file into the initial image; fatal when it
    // cannot be read.
    virtual void LoadInitialFile(int modelType);
    // The clone read's continuation after the radio's ID reply, the clone
    // write command and its continuation, called with the clone manager's
    // result code. The base runs the read and the write of the working
    // image.
    virtual void ReadContinuation(int code);
    virtual void CloneWriteCommand();
    virtual void WriteContinuation(int code);
    // The clone file header's codes; code is 3 or 4 on refusal.
    virtual bool CheckCloneFileModel(int id1, int id2, int &code);
    // The address ranges of an operation (kinds 0 to 3).
    virtual RangeList GetRangeList(int kind);
    // Switches the model type; with confirmation (a user's change) the
    // document becomes the new type's initial data. False when cancelled or
    // when the model has no such type.
    virtual bool ChangeModelType(int modelType, bool withConfirmation);

    // The window; null returns to headless operation. Not owned.
    void AttachView(cuiMainView *view);
    // The window (or the headless stand-in), for the commands of menu and
    // tool-bar cells that need one.
    cuiMainView &MainView() { return *view_; }

    // --- The cell handler's host ---
    void CellChangeHook() override;
    int ModelType() const override;
    const CellBindingRegistry &Bindings() override;
    void UpdateLayout() override;
    // The base has no layout limits to check.
    bool HasRoomForAnother(std::int32_t countAddress) override;
    void OpenSelectionList(const cmcCellCapsule &opening, std::int32_t style, std::int32_t current,
                           const std::string &sheetKey, const std::string &listTag) override;
    void OpenCellWindow(const cmcCellCapsule &opening, const CodecOpen &window) override;
    void ShowCellHelp(const cmcCellCapsule &capsule) override;
    void CopyToClipboard(const std::string &text) override;
    // The help file's context number for the cell of a capsule; 0 when the
    // help overlay lists none.
    virtual int FindHelpContext(const cmcCellCapsule &capsule);

    // Clone commands of the menu; the write (CloneWriteCommand) is one of the
    // operations a model may replace.
    virtual void CloneRead();
    virtual void CloneInfo();
    indCloneMan &CloneManager() { return *cloneManager_; }
    // The maker mode opens the whole radio memory to clone writes.
    bool MakerMode() const override { return false; }
    // Other clone drivers, for links without a port (tests); ignored while
    // an operation runs.
    void InstallCloneDrivers(std::unique_ptr<cmcCloneDrv> clone,
                             std::unique_ptr<imcCloneDrv> adjust);
    // The "Cloning" window; null shows no progress. Not owned.
    void SetCloneProgressView(CloneProgressView *view);
    // The radio memory of the last successful clone read as it arrived,
    // before the model converted it; empty before the first.
    const cmcEeprom &ReceivedImage() const { return received_; }
    // Keeps a copy of a radio image read from or about to be written to the
    // radio in the backups folder, as many as the settings say; why it
    // could not, empty when it could.
    std::string KeepBackup(const cmcEeprom &radioImage, bool written);
    // The last copy kept (empty when none) and why the last one failed.
    const std::string &LastBackupPath() const { return lastBackupPath_; }
    const std::string &LastBackupError() const { return lastBackupError_; }
    // Shows the backups folder in the desktop's file manager.
    void OpenBackupFolder();

    // The language window's OK: the texts of the language the setting names,
    // then the menu, the tree and the title in them; the open sheet closes.
    // False, with everything unchanged, when that language's overlay cannot
    // be read.
    bool ChangeLanguage();

    // The factory adjustment mode of the command line: asks first, then
    // stays on until the program ends.
    void EnterFactoryAdjustMode();
    bool FactoryAdjustMode() const { return factoryAdjustMode_; }

    // Document files.
    bool IsModified() const;
    void MarkSaved();
    void MarkModified();
    // The window title: the document's name with the window's mark for
    // unsaved changes ("[*]"), then the program's.
    std::string TitleText() const;
    const std::string &FilePath() const { return filePath_; }
    const std::string &DefaultDirectory() const { return defaultDirectory_; }
    // Asks whether to save a modified document; false aborts the command.
    // another: the file about to be opened is the current one.
    bool SaveChangesPrompt(bool another);
    void New();
    void Open();
    // Loads a clone file as the document; false leaves everything unchanged.
    bool LoadFile(const std::string &path);
    bool Save();
    bool SaveAs();
    bool SaveTo(const std::string &path);
    // The clone file comment made of the radio's two comment fields.
    static std::string CloneComment(const cmcEeprom &image);

    cmcEeprom &WorkingImage() override { return working_; }
    cmcEeprom &ReferenceImage() { return reference_; }
    cmcEeprom &InitialImage() override { return initial_; }
    // The rows the last Copy command took; empty until then.
    datClipCh &ChannelClipboard() override { return *channelClipboard_; }
    const cmcEeprom &SavedImage() const { return saved_; }
    int ModelId1() const { return modelId1_; }
    int ModelId2() const { return modelId2_; }
    const std::string &HelpOverlayPath() const { return helpOverlayPath_; }
    // The clone file error code of the last LoadFile, 0 when it loaded.
    int LastFileError() const { return lastFileError_; }

    // The clone information area of the last ID reply.
    const std::array<uint8_t, kCloneInformationSize> &CloneInformation() const
    {
        return cloneInfo_;
    }
    void SetCloneInformation(const uint8_t *bytes, int count);
    // The radio's id 1 and id 2 from its last ID reply, high bytes first.
    const std::array<uint8_t, 4> &CloneIdBytes() const { return cloneIdBytes_; }

protected:
    void PostEvent(int code, int argument = 0, const std::string &text = {});
    void SendEvent(int code, int argument = 0, const std::string &text = {});
    cuiMainView &View() { return *view_; }
    CloneCommands &Commands() { return *cloneCommands_; }
    // The model's adjustment data for the band-pass sweep; not owned.
    void SetAdjustSweepHost(AdjustSweepHost *host);
    void SetFilePath(const std::string &path);
    // The conversions into and out of the radio layout, as the model does them.
    virtual void ConvertRadioToWorking(cmcEeprom &image);
    virtual void ConvertInitialToWorking(cmcEeprom &image);
    virtual bool ConvertWorkingToRadio(cmcEeprom &image, bool cloneWrite);

    int modelId1_ = 0;
    int modelId2_ = 0;
    int32_t lastRadioAddress_ = 0xFF7F;

private:
    class CloneLink;
    class HeadlessView;

    static bool headerCheck(void *context, int modelCode, int subCode, int *error);
    void createCloneManager(std::unique_ptr<indCloneMan> manager);
    cuiMainView::FileDialog fileDialog(const std::string &fileName) const;
    void rememberFile(const std::string &path);

    const std::string softwareCode_;
    const int32_t imageSize_;
    cmcEeprom working_;
    cmcEeprom reference_;
    cmcEeprom initial_;
    cmcEeprom saved_;
    std::unique_ptr<datClipCh> channelClipboard_;
    bool modified_ = false;
    std::string filePath_;
    std::string defaultDirectory_;
    std::string helpOverlayPath_;
    std::array<uint8_t, 4> cloneIdBytes_{};
    std::array<uint8_t, kCloneInformationSize> cloneInfo_{};
    int lastFileError_ = 0;
    std::unique_ptr<cuiMainView> headless_;
    cuiMainView *view_;
    // The clone manager and the commands refer to the link, so it goes last.
    std::unique_ptr<CloneLink> cloneLink_;
    std::unique_ptr<indCloneMan> cloneManager_;
    std::unique_ptr<CloneCommands> cloneCommands_;
    CloneProgressView *progressView_ = nullptr;
    AdjustSweepHost *sweepHost_ = nullptr;
    cmcEeprom received_;
    std::string lastBackupPath_;
    std::string lastBackupError_;
    bool factoryAdjustMode_ = false;
    WarningCheckList::Result lastWarningCheck_;
};
