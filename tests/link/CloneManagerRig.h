#pragma once

#include "CloneLinkFixture.h"

#include "image/cmcEeprom.h"
#include "link/CloneCommands.h"
#include "link/CloneHost.h"
#include "link/CloneProgressView.h"
#include "link/indCloneMan.h"
#include "platform/MessageService.h"

#include <memory>
#include <string>
#include <vector>

namespace clonetest {

// The main frame as the clone manager sees it: settings, images and slots,
// every call recorded. Its continuations run the base behaviour.
class FakeCloneHost : public CloneHost
{
public:
    FakeCloneHost();

    CloneSettings LinkSettings() override { return settings; }
    void EnableMainWindow(bool enabled) override;
    void FocusMainWindow() override { calls.push_back("focus"); }
    void EndCellEdit() override { calls.push_back("end edit"); }
    bool QuerySaveChanges() override { return saveAnswer; }
    std::int32_t ModelId1() override { return 0x3079; }
    std::int32_t ModelId2() override { return 0; }
    bool MakerMode() override { return makerMode; }
    void StoreCloneIds(const std::uint8_t ids[4]) override { cloneIds.assign(ids, ids + 4); }
    std::uint8_t *CloneInfoArea() override { return infoArea; }
    cmcEeprom &WorkingImage() override { return working; }
    bool ImageCheck(const cmcEeprom &image, bool strict) override;
    bool ModelCheck(const cmcEeprom &) override { return refuseModel; }
    void AfterLoadHook(cmcEeprom &image) override;
    void BeforeSaveHook(cmcEeprom &, bool store) override;
    void ReadContinuation(dst_CDrv_Result &result) override;
    void WriteContinuation(dst_CDrv_Result &result) override;
    RangeList MakeRangeList(std::int32_t kind) override;
    void MarkClonedDocument() override { calls.push_back("cloned document"); }
    void CloseCurrentSheet() override { calls.push_back("close sheet"); }
    void PostEvent(std::int32_t event) override
    {
        calls.push_back("event " + std::to_string(event));
    }
    void ShowCloneInfoWindow() override { calls.push_back("info window"); }
    void ShowStatus(const std::string &text) override { statuses.push_back(text); }
    std::string KeepBackup(const cmcEeprom &radioImage, bool written) override;

    CloneSettings settings;
    bool saveAnswer = true;
    bool makerMode = false;
    bool refuseModel = false;
    bool windowEnabled = true;
    int disables = 0;
    std::vector<std::string> calls;
    std::vector<std::uint8_t> cloneIds;
    std::uint8_t infoArea[kCloneInfoBytes] = {};
    cmcEeprom working;
    CloneCommands *commands = nullptr;
    std::vector<std::int32_t> rangeKinds;
    std::vector<std::string> statuses;
    // The copies asked for: the image and whether it was about to be
    // written; the reason a copy fails, empty when it does not.
    struct Backup {
        Bytes image;
        bool written;
    };
    std::vector<Backup> backups;
    std::string backupFailure;
};

class RecordingProgressView : public CloneProgressView
{
public:
    void OpenProgress(const CloneProgress &progress) override
    {
        events.push_back("open " + std::to_string(progress.kind));
        last = progress;
    }
    void UpdateProgress(const CloneProgress &progress) override
    {
        events.push_back("update " + std::to_string(progress.filledSegments));
        last = progress;
    }
    void CloseProgress() override { events.push_back("close"); }
    std::vector<std::string> events;
    CloneProgress last;
};

// A radio image of the working size that passes the strict image check.
Bytes validRadioImage(std::int32_t size);
// A clone information block of 127 bytes with the end address text at 56.
Bytes cloneInformation(const char *endAddress = "03FF");

// A clone manager and the clone commands on fake transports, with the
// texts of the clone messages and a message recorder installed.
class ManagerRig
{
public:
    static constexpr std::int32_t kImageSize = 0x400;

    ManagerRig();

    indCloneMan &manager() { return *manager_; }
    CloneCommands &commands() { return *commands_; }
    testing_support::FakeTransport &serial() { return *serial_; }
    testing_support::FakeTransport &tcp() { return *tcp_; }
    testing_support::FakeTransport &link() { return host.settings.overTcp() ? *tcp_ : *serial_; }
    testing_support::FakeTransport &adjustSerial() { return *adjustSerial_; }

    // Steps both drivers until the manager is idle; the radio plays the
    // other side by the clone driver's state (ID reply, memory, FB, end
    // acknowledgement), advancing the clock by advanceMs per step.
    void run(std::uint32_t advanceMs = 0, int maxSteps = 200000);

    // What the radio answers.
    Bytes idReplyBytes;
    Bytes memory;
    bool answers = true;

    FakeCloneHost host;
    platform::RecordingMessageService messages;
    RecordingProgressView progress;
    Outcome outcome;

private:
    void playRadio();

    ManualTickClock clock_{1000, 1};
    platform::ScopedMessageService scope_{messages};
    ScopedTexts texts_;
    testing_support::FakeTransport *serial_;
    testing_support::FakeTransport *tcp_;
    testing_support::FakeTransport *adjustSerial_;
    std::unique_ptr<indCloneMan> manager_;
    std::unique_ptr<CloneCommands> commands_;
    bool idSent_ = false;
    bool memorySent_ = false;
};

} // namespace clonetest
