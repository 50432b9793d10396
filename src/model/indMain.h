#pragma once

#include "image/LayoutConversion.h"
#include "image/MultiTableShadows.h"
#include "link/AdjustSweepHost.h"
#include "mainframe/cuiMain.h"
#include "model/ModelHooks.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

struct cmcEvent;
struct EntryRequestTable;

// The one radio model this program serves: its identity and memory size,
// its two model types, the conversions between the radio's layout and the
// working layout, and what it adds to file loading and clone writing. It
// also keeps the adjustment data the band-pass sweep of the factory
// adjustment works on.
class indMain : public cuiMain, public AdjustSweepHost
{
public:
    static constexpr const char *kSoftwareCode = "QX7315C";
    static constexpr int32_t kImageSize = 110839;
    static constexpr int kModelId1 = 0x3079;
    static constexpr int kModelId2 = 0;
    static constexpr int kOtherVariantModelId2 = 0x0100;

    // No band-pass sweep runs.
    static constexpr int32_t kNoSweepBand = 7;
    static constexpr int32_t kSweepBands = 6;

    // A prepared clone write: the image to send (radio layout up to date)
    // and the address ranges.
    struct CloneWritePlan {
        std::unique_ptr<cmcEeprom> image;
        RangeList ranges;
    };

    indMain();
    ~indMain() override;

    void InitModelIds() override;
    void RebuildTree() override;
    // The newer-data test: false refuses data that a newer program marked.
    bool CheckModel(const cmcEeprom &image) override;
    void AfterLoad(cmcEeprom &image) override;
    void BeforeSave(cmcEeprom &image, bool store) override;
    int WarningCheck() override;
    // Lets the next clone writes go ahead although the warning check finds
    // errors (the command line's --force).
    void AllowWriteWithErrors(bool allow) { writeWithErrors_ = allow; }
    void ReadContinuation(int code) override;
    void CloneWriteCommand() override;
    void WriteContinuation(int code) override;
    bool CheckCloneFileModel(int id1, int id2, int &code) override;
    RangeList GetRangeList(int kind) override;

    // The suffix of the model type's text keys ("Conv_Lmr_KCOOP_Rep" for 0,
    // "Conv_Pmr_Dpmr_Rep" for 1); empty for other values.
    static const char *ModelTypeSuffix(int modelType);
    // The model type the option bits at 0x10F17 ask for.
    static int ModelTypeFromOptionBits(const cmcEeprom &image);
    // Switches the model type; with confirmation (a user's change) the
    // document becomes the new type's initial data. False when cancelled.
    bool ChangeModelType(int modelType, bool withConfirmation) override;
    // The radio memory can take one more record of that list.
    bool HasRoomForAnother(std::int32_t countAddress) override;

    // The maker mode switch: asks first; stays on until the program ends.
    void EnterMakerMode();
    bool MakerMode() const override { return makerMode_; }
    const std::string &MakerStatusText() const { return makerStatusText_; }

    // The second pass of a clone write, after its confirmations: the copy of
    // the working image to send and its ranges.
    CloneWritePlan PrepareCloneWrite();
    // The 2-tone limit tolerance for the radio's clone information byte 34.
    static double TwoToneLimitTolerance(uint8_t cloneInformationByte34);
    // A limit pair around a frequency: (1 - t) f and (1 + t) f, rounded.
    static void TwoToneLimits(double frequency, double tolerance, int32_t &lower, int32_t &upper);

    // Call texts of the sheets "print all" prints, from the tree's call texts
    // in tree order; the multi-table sheet stands for its 16 tables.
    static std::vector<std::string>
    PrintAllCallTexts(const std::vector<std::string> &treeCallTexts);

    MultiTableShadows &Shadows() { return shadows_; }
    void SetHooks(ModelHooks hooks) { hooks_ = std::move(hooks); }
    // The conversions as this model runs them, with the current image and
    // the model type of this moment.
    LayoutConversion Conversion();

    bool CloneWritePhase() const { return cloneWritePhase_; }
    // The write the last second pass prepared and started.
    CloneWritePlan TakePendingCloneWrite() { return std::move(pendingCloneWrite_); }

    // The band-pass sweep's view of the adjustment state. The automatic
    // adjustment procedures that start sweeps set the band and the pair.
    int32_t SweepBand() override { return sweepBand_; }
    bool SweepAllBands() override { return sweepPair_; }
    uint8_t *SweepRecord(int32_t band) override;
    void StoreAdjustValue(int32_t offset, uint8_t value) override;
    void SetSweep(int32_t band, bool pair);

protected:
    void ConvertRadioToWorking(cmcEeprom &image) override;
    void ConvertInitialToWorking(cmcEeprom &image) override;
    bool ConvertWorkingToRadio(cmcEeprom &image, bool cloneWrite) override;

private:
    static void onEvent(void *object, const cmcEvent &event);
    // kEvInsertChannels to kEvDeleteCallList: a block operation opens or
    // closes a place in the channels or a growing list. Other events are
    // left alone.
    void answerEntryRequest(int32_t event, int index);
    bool changeListEntry(const EntryRequestTable &list, int index, bool insert);
    bool confirm(const char *key);
    bool passClonePassword(bool asked);

    bool makerMode_ = false;
    std::string makerStatusText_;
    bool cloneWritePhase_ = false;
    bool clonePasswordPassed_ = false;
    MultiTableShadows shadows_;
    ModelHooks hooks_;
    CloneWritePlan pendingCloneWrite_;
    int32_t sweepBand_ = kNoSweepBand;
    bool sweepPair_ = false;
    // Per band: best value, last value, best reading.
    std::array<std::array<uint8_t, 3>, kSweepBands> sweepRecords_{};
    bool writeWithErrors_ = false;
};
