#include "model/indMain.h"

#include "model/StandardModelHooks.h"

#include "cells/EntryRequests.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "cells/cmcEvent.h"
#include "channels/ChannelEntryTable.h"
#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "image/ImageWords.h"
#include "image/WorkingLayout.h"
#include "link/CloneCommands.h"
#include "link/indCloneMan.h"
#include "mainframe/WarningCheckList.h"
#include "platform/FatalError.h"
#include "platform/MessageService.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace wl = working_layout;

namespace {

constexpr int kFirstWrittenAddress = 0x0100;
constexpr int kCloneInfoPasswordByte = 53;
constexpr int kCloneInfoLimitByte = 34;
constexpr int kCloneInfoMapRevisionByte = 35;
constexpr int32_t kWriteBlockSize = 128;
// The clone commands live below the event codes and keep their own copy.
static_assert(CloneCommands::kViewsRebuildEvent == kEvRefreshViews);

const char *const kModelTypeSuffixes[] = {"Conv_Lmr_KCOOP_Rep", "Conv_Pmr_Dpmr_Rep"};

// A stand-in for the channel records' count when no hooks are set.
int countChannelsInUse(const cmcEeprom &image)
{
    int used = 0;
    for (int channel = 0; channel < wl::kChannelSlots; ++channel)
        used += LayoutConversion::ChannelSlotUsed(image, channel) ? 1 : 0;
    return used;
}

bool optionBit(const cmcEeprom &image, int bit)
{
    return (image.GetByte(wl::kModelOptionBits + bit / 8) & (0x80 >> (bit % 8))) != 0;
}

// The sheet key of a call text "[class]sheet key,parameters".
std::string sheetKey(const std::string &callText)
{
    size_t start = 0;
    if (!callText.empty() && callText[0] == '[') {
        const size_t close = callText.find(']');
        start = close == std::string::npos ? callText.size() : close + 1;
    }
    return callText.substr(start, callText.find(',', start) - start);
}

} // namespace

indMain::indMain() : cuiMain(kSoftwareCode, kImageSize)
{
    InitModelIds();
    installStandardModelHooks(*this);
    SetAdjustSweepHost(this);
    eventManager().Register(&indMain::onEvent, this);
}

indMain::~indMain()
{
    eventManager().Unregister(&indMain::onEvent, this);
    SetAdjustSweepHost(nullptr);
}

// The tree's memory channel branch and the automatic adjustment steps join
// this handler with the tree and the adjustment procedures. The block
// operations' insert and delete requests carry the row as argument.
void indMain::onEvent(void *object, const cmcEvent &event)
{
    auto *model = static_cast<indMain *>(object);
    if (event.type == kEvRefreshViews) {
        model->RebuildTree();
        return;
    }
    if (event.argument >= 0 && event.argument <= std::numeric_limits<int>::max())
        model->answerEntryRequest(event.type, static_cast<int>(event.argument));
}

// The open sheets learn of the change the way they learn of an edit: the
// layout follows, the document shows as modified, rows come and go with the
// list counts and the moved rows redraw.
void indMain::answerEntryRequest(int32_t event, int index)
{
    bool insert = false;
    const EntryRequestTable *table = entryRequestTableOfEvent(event, insert);
    if (table == nullptr)
        return;
    const bool channels = table->channels();
    if (channels) {
        ChannelEntryTable entries(WorkingImage(), InitialImage());
        const int kind = datCh::channelKind();
        const bool done = insert ? entries.insertEntry(table->size, kind, index)
                                 : entries.deleteEntry(table->size, kind, index);
        if (!done)
            return;
    } else if (!changeListEntry(*table, index, insert)) {
        return;
    }
    ConvertWorkingToRadio(WorkingImage(), false);
    CellChangeHook();
    if (!channels)
        SendEvent(insert ? kEvAppendRows : kEvRemoveRows);
    SendEvent(kEvRefreshBankSheet);
    if (channels && insert)
        PostEvent(kEvRedrawLabelled);
    else
        SendEvent(kEvRedrawFromIndex, index);
}

// A list keeps at least one entry and never grows past its table or the
// room the radio's parameter area has; a place opens at most one row past
// the list's end.
bool indMain::changeListEntry(const EntryRequestTable &list, int index, bool insert)
{
    ChannelEntryTable entries(WorkingImage(), InitialImage());
    const int kind = list.kind;
    const int count = ChannelGlobals::listCount(WorkingImage(), kind);
    if (insert) {
        if (index > count || count >= list.size ||
            !Conversion().HasRoomForAnother(WorkingImage(),
                                            ChannelGlobals::listCountAddress(kind)) ||
            !entries.insertEntry(list.size, kind, index))
            return false;
        ChannelGlobals::setListCount(WorkingImage(), kind, count + 1);
        return true;
    }
    if (index >= count || count <= 1 || !entries.deleteEntry(list.size, kind, index))
        return false;
    ChannelGlobals::setListCount(WorkingImage(), kind, count - 1);
    return true;
}

void indMain::InitModelIds()
{
    cuiMain::InitModelIds();
    lastRadioAddress_ = wl::kLastRadioAddress;
    modelId1_ = kModelId1;
    modelId2_ = kModelId2;
}

void indMain::RebuildTree()
{
    cuiMain::RebuildTree();
    std::string line;
    if (mainTextDatabase().TryGetLine("GI_AppInd_ModelTree", ModelType(), line))
        View().AppendToFirstTreeNode(line);
}

const char *indMain::ModelTypeSuffix(int modelType)
{
    return modelType == 0 || modelType == 1 ? kModelTypeSuffixes[modelType] : "";
}

LayoutConversion indMain::Conversion()
{
    LayoutContext context;
    context.modelType = ModelType();
    context.currentImage = &WorkingImage();
    context.shadows = &shadows_;
    return LayoutConversion(context);
}

void indMain::ConvertRadioToWorking(cmcEeprom &image) { Conversion().RadioToWorking(image); }

void indMain::ConvertInitialToWorking(cmcEeprom &image) { Conversion().InitialToWorking(image); }

bool indMain::ConvertWorkingToRadio(cmcEeprom &image, bool cloneWrite)
{
    return Conversion().WorkingToRadio(image, cloneWrite);
}

bool indMain::HasRoomForAnother(std::int32_t countAddress)
{
    return Conversion().HasRoomForAnother(WorkingImage(), countAddress);
}

bool indMain::CheckModel(const cmcEeprom &image)
{
    const long lockout = std::strtol(
        mainTextDatabase().GetFirstLine("GI_Sys_LockoutNewerData").c_str(), nullptr, 10);
    if (lockout == 0)
        return true;
    cmcEeprom converted;
    converted.CopyFrom(image);
    if (converted.GetSize() < wl::kImageSize)
        return true;
    // The test must not touch the model's state: data it refuses is never
    // taken, so its multi-table values go to a scratch table.
    MultiTableShadows scratch;
    LayoutContext context;
    context.modelType = ModelType();
    context.currentImage = &WorkingImage();
    context.shadows = &scratch;
    LayoutConversion(context).RadioToWorking(converted);
    return converted.GetByte(wl::kNewerDataMark) == 0;
}

int indMain::ModelTypeFromOptionBits(const cmcEeprom &image)
{
    if (optionBit(image, 0) && optionBit(image, 9))
        return 0;
    if (optionBit(image, 1) && optionBit(image, 4))
        return 1;
    return 0;
}

void indMain::AfterLoad(cmcEeprom &image)
{
    ConvertRadioToWorking(image);
    ChangeModelType(ModelTypeFromOptionBits(image), false);
    if (hooks_.normalise)
        hooks_.normalise(image, false);
    PostEvent(kEvRebuildChannelTree);
}

void indMain::BeforeSave(cmcEeprom &image, bool store)
{
    if (hooks_.normalise)
        hooks_.normalise(image, store);
}

int indMain::WarningCheck()
{
    const int problems = cuiMain::WarningCheck();
    PostEvent(kEvRefreshBankImages);
    PostEvent(kEvRefreshBankSheet);
    return problems;
}

bool indMain::confirm(const char *key)
{
    return platform::showMessage(appTitle(), mainTextDatabase().GetText(key),
                                 platform::MessageIcon::Warning,
                                 platform::MessageButtons::OkCancel) == platform::MessageResult::Ok;
}

bool indMain::ChangeModelType(int modelType, bool withConfirmation)
{
    if (modelType == ModelType())
        return true;
    if (withConfirmation && !confirm("GI_AppMess_ChangeModel"))
        return false;
    environment().modelType = modelType;
    LoadInitialFile(modelType);
    ConvertInitialToWorking(InitialImage());
    if (withConfirmation) {
        WorkingImage().CopyFrom(InitialImage());
        ConvertWorkingToRadio(WorkingImage(), false);
        MarkSaved();
        SetFilePath({});
    }
    RebuildTree();
    return true;
}

void indMain::EnterMakerMode()
{
    if (makerMode_ || !confirm("GI_Mess_Maker_Caution"))
        return;
    makerMode_ = true;
    RebuildTree();
    makerStatusText_ = mainTextDatabase().GetFirstLine("GI_StatusPanel_Maker");
}

// A confirmed prompt leaves the password in the settings; the clone manager
// puts it into the next read or write.
bool indMain::passClonePassword(bool asked)
{
    clonePasswordPassed_ = !asked || View().AskClonePassword();
    if (!clonePasswordPassed_)
        return false;
    if (asked)
        CloneManager().SetSendPasswordOnce(true);
    clonePasswordPassed_ = false;
    return true;
}

void indMain::ReadContinuation(int code)
{
    if (code != 0 || CloneManager().IsBusy())
        return;
    const uint8_t flags = CloneInformation()[kCloneInfoPasswordByte];
    if (!passClonePassword((flags & 0x08) != 0 && (flags & 0x10) == 0))
        return;
    cuiMain::ReadContinuation(code);
}

void indMain::CloneWriteCommand()
{
    const int used = hooks_.channelsInUse ? hooks_.channelsInUse(WorkingImage())
                                          : countChannelsInUse(WorkingImage());
    if (used == 0) {
        platform::showMessage(appTitle(),
                              mainTextDatabase().GetText("GI_AppMess_CloneErr_NoActualCh"),
                              platform::MessageIcon::Error);
        return;
    }
    if (WarningCheck() > 0 && !writeWithErrors_) {
        platform::showMessage(appTitle(),
                              WarningCheckList::RefusalText(mainTextDatabase(), LastWarningCheck()),
                              platform::MessageIcon::Error);
        return;
    }
    cloneWritePhase_ = false;
    clonePasswordPassed_ = false;
    cuiMain::CloneWriteCommand();
}

void indMain::WriteContinuation(int code)
{
    if (code != 0 || CloneManager().IsBusy())
        return;
    if (!cloneWritePhase_) {
        if (makerMode_ && !confirm("GI_Mess_Maker_Caution"))
            return;
        if (WorkingImage().GetByte(wl::kClonePasswordFlag) != 0 &&
            !confirm("GI_Mess_Confirm_CloneWriteClonePass"))
            return;
        if (!confirm("GI_Mess_Confirm_CloneWrite"))
            return;
        cloneWritePhase_ = true;
        // The user may have taken a while: the radio is asked for its
        // identity once more, and its answer comes back here for the
        // second pass.
        cuiMain::CloneWriteCommand();
        return;
    }
    cloneWritePhase_ = false;
    if (!passClonePassword((CloneInformation()[kCloneInfoPasswordByte] & 0x08) != 0))
        return;
    pendingCloneWrite_ = PrepareCloneWrite();
    CloneManager().SetImageSize(WorkingImage().GetSize());
    Commands().StartWrite(*pendingCloneWrite_.image, pendingCloneWrite_.ranges);
}

double indMain::TwoToneLimitTolerance(uint8_t byte34)
{
    if (byte34 < 16)
        return 0.03;
    return byte34 >= 32 || (byte34 & 0x0F) != 0 ? 0.02 : 0.03;
}

void indMain::TwoToneLimits(double frequency, double tolerance, int32_t &lower, int32_t &upper)
{
    lower = static_cast<int32_t>(std::lround((1.0 - tolerance) * frequency));
    upper = static_cast<int32_t>(std::lround((1.0 + tolerance) * frequency));
}

indMain::CloneWritePlan indMain::PrepareCloneWrite()
{
    CloneWritePlan plan;
    plan.image = std::make_unique<cmcEeprom>();
    cmcEeprom &image = *plan.image;
    image.CopyFrom(WorkingImage());
    plan.ranges = GetRangeList(makerMode_ ? 1 : 0);
    ModelHook(image);
    if (hooks_.normalise)
        hooks_.normalise(image, true);
    ConvertWorkingToRadio(image, true);
    // The limits are computed after the conversion, so they stay in the
    // working layout of the copy and do not reach the radio.
    if (ModelType() == 0 && hooks_.recomputeTwoToneLimits)
        hooks_.recomputeTwoToneLimits(
            image, TwoToneLimitTolerance(CloneInformation()[kCloneInfoLimitByte]));
    // Whole 128-byte blocks up to the end of the parameter area, but never
    // past the radio's last address.
    const int32_t end = image_words::read16(image, wl::kEndAddress);
    plan.ranges[0].last =
        std::min(end / kWriteBlockSize * kWriteBlockSize + kWriteBlockSize - 1, lastRadioAddress_);
    image.SetByte(wl::kMapRevision, CloneInformation()[kCloneInfoMapRevisionByte]);
    return plan;
}

uint8_t *indMain::SweepRecord(int32_t band)
{
    return band >= 0 && band < kSweepBands ? sweepRecords_[static_cast<size_t>(band)].data()
                                           : nullptr;
}

// The adjustment sheets show the reference image, so the value goes there
// too.
void indMain::StoreAdjustValue(int32_t offset, uint8_t value)
{
    if (!WorkingImage().IsValidAddress(offset) || !ReferenceImage().IsValidAddress(offset))
        return;
    WorkingImage().SetByte(offset, value);
    ReferenceImage().SetByte(offset, value);
    PostEvent(kEvRedrawLabelled);
}

void indMain::SetSweep(int32_t band, bool pair)
{
    sweepBand_ = band;
    sweepPair_ = pair;
    if (band >= 0 && band < kSweepBands)
        sweepRecords_[static_cast<size_t>(band)].fill(0);
}

bool indMain::CheckCloneFileModel(int id1, int id2, int &code)
{
    if (id1 != kModelId1) {
        code = 3;
        return false;
    }
    if (id2 != kModelId2 && id2 != kOtherVariantModelId2) {
        code = 4;
        return false;
    }
    return true;
}

RangeList indMain::GetRangeList(int kind)
{
    const int32_t first = kind == 0 ? kFirstWrittenAddress : 0;
    return {{first, wl::kLastRadioAddress}, {1, 0}};
}

std::vector<std::string> indMain::PrintAllCallTexts(const std::vector<std::string> &treeCallTexts)
{
    std::vector<std::string> texts;
    // The tree names the multi-table once and each of its sets again: every
    // set prints once.
    bool multiTablePrinted = false;
    for (const std::string &callText : treeCallTexts) {
        if (callText.empty())
            continue;
        if (sheetKey(callText) != "GI_Sheet_MultipleTable") {
            texts.push_back(callText);
            continue;
        }
        if (std::exchange(multiTablePrinted, true))
            continue;
        for (int table = 0; table < 16; ++table)
            texts.push_back("GI_Sheet_MultipleTable,M P," + std::to_string(table));
    }
    return texts;
}
