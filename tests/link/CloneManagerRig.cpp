#include "CloneManagerRig.h"

#include <cstring>

using testing_support::FakeTransport;

namespace clonetest {

namespace {

std::vector<ScopedTexts::Entry> messageTexts()
{
    std::vector<std::string> heads;
    for (int i = 0; i < 18; ++i)
        heads.push_back("Head " + std::to_string(i));
    heads[2] = "COM%d cannot be opened (100%%, %s)";
    std::vector<std::string> checks;
    for (int i = 0; i < 9; ++i)
        checks.push_back("Check " + std::to_string(i));
    return {{"GI_Sys_AppTitle", {"Quillon(dPMR)"}},
            {"GI_Mess_CloneErr_Head", heads},
            {"GI_Mess_CloneErr_Check", checks},
            {"GI_Mess_CloneWrite_Succeeded", {"Written.", "Restart the radio."}},
            {"GI_Mess_Clone_Status",
             {"Read {bytes} bytes in {seconds} s.", "Read cancelled.", "Write cancelled.",
              "Information cancelled.", "No backup: {reason}."}},
            {"GI_Clone_Progress",
             {"Reading", "Writing", "Asking", "{operation} {done}/{total} {percent}%",
              "{operation} {done}/{total} {percent}% {left}", "{operation}...", "Cancel",
              "Busy writing."}}};
}

} // namespace

FakeCloneHost::FakeCloneHost()
{
    settings.comPort = 3;
    settings.comSpeedHigh = true;
    settings.ipAddress = "192.168.0.11";
    settings.tcpPort = 41000;
    working.SetSize(ManagerRig::kImageSize);
    working.Fill(0x5A);
}

void FakeCloneHost::EnableMainWindow(bool enabled)
{
    windowEnabled = enabled;
    if (!enabled)
        ++disables;
}

bool FakeCloneHost::ImageCheck(const cmcEeprom &image, bool strict)
{
    return CloneCommands::ImageCheck(image, strict);
}

void FakeCloneHost::AfterLoadHook(cmcEeprom &image)
{
    calls.push_back("after load " + std::to_string(image.GetByte(0x200)));
}

void FakeCloneHost::BeforeSaveHook(cmcEeprom &, bool store)
{
    calls.push_back(store ? "before save, store" : "before save");
}

std::string FakeCloneHost::KeepBackup(const cmcEeprom &radioImage, bool written)
{
    Bytes image(std::size_t(radioImage.GetSize()));
    radioImage.ReadBlock(0, image.data(), radioImage.GetSize());
    backups.push_back({std::move(image), written});
    return backupFailure;
}

void FakeCloneHost::ReadContinuation(dst_CDrv_Result &result)
{
    commands->ReadContinuation(result);
}

void FakeCloneHost::WriteContinuation(dst_CDrv_Result &result)
{
    commands->WriteContinuation(result);
}

RangeList FakeCloneHost::MakeRangeList(std::int32_t kind)
{
    rangeKinds.push_back(kind);
    const std::int32_t first = kind == 0 ? 0x100 : 0;
    return {{first, ManagerRig::kImageSize - 1}, {1, 0}};
}

Bytes validRadioImage(std::int32_t size)
{
    Bytes image = patternMemory(size);
    const auto put = [&](std::int32_t at, const Bytes &bytes) {
        std::copy(bytes.begin(), bytes.end(), image.begin() + at);
    };
    const Bytes mark = {'V', 'O', 'R', 'N', ' ', 'I', 'n', 'c'};
    put(0x90, {0x30, 0x63});
    put(0x100, mark);
    put(0x108, {0x01});
    put(0x10A, {0x30, 0x79});
    // End 0x300, start 0x200: the second mark at 0x100 + 504.
    put(0x112, {0x03, 0x00});
    put(0x114, {0x02, 0x00});
    put(0x100 + 504, mark);
    return image;
}

Bytes cloneInformation(const char *endAddress)
{
    Bytes info(CloneHost::kCloneInfoBytes, 0x20);
    info[0] = std::uint8_t(info.size());
    info[35] = 0x01;
    std::memcpy(info.data() + 56, endAddress, 4);
    return info;
}

ManagerRig::ManagerRig() : texts_(messageTexts())
{
    const auto transports = [](FakeTransport *&serial, FakeTransport *&tcp) {
        auto s = std::make_unique<FakeTransport>();
        auto t = std::make_unique<FakeTransport>();
        t->setSendReportsCount(true);
        serial = s.get();
        tcp = t.get();
        return CloneTransports{std::move(s), std::move(t)};
    };
    FakeTransport *adjustTcp = nullptr;
    auto clone = std::make_unique<cmcCloneDrv>(transports(serial_, tcp_));
    auto adjust = std::make_unique<imcCloneDrv>(transports(adjustSerial_, adjustTcp));
    manager_ = std::make_unique<indCloneMan>(host, std::move(clone), std::move(adjust));
    manager_->SetProgressView(&progress);
    manager_->SetModelIds(0x3079, 0);
    manager_->SetImageSize(kImageSize);
    commands_ = std::make_unique<CloneCommands>(host, *manager_);
    host.commands = commands_.get();
    idReplyBytes = idReply(0x3079, 0, cloneInformation());
    memory = validRadioImage(kImageSize);
}

void ManagerRig::playRadio()
{
    FakeTransport &line = link();
    switch (manager_->CloneDriver().CurrentState()) {
    case cmcCloneDrv::kSendIdRequest:
        idSent_ = false;
        break;
    case cmcCloneDrv::kSendReadRequest:
        memorySent_ = false;
        break;
    case cmcCloneDrv::kReceiveIdReply:
        if (!idSent_)
            line.feed(idReplyBytes);
        idSent_ = true;
        break;
    case cmcCloneDrv::kReceiveData:
        if (!memorySent_)
            line.feed(radioMemory(memory, {{0, std::int32_t(memory.size()) - 1}, {1, 0}}));
        memorySent_ = true;
        break;
    case cmcCloneDrv::kWaitWriteAck:
    case cmcCloneDrv::kWaitBlockAck:
        if (line.unread() == 0)
            line.feed(Bytes{0xFB});
        break;
    case cmcCloneDrv::kReceiveEndAck:
        if (line.unread() == 0)
            line.feed(endAck());
        break;
    default:
        break;
    }
}

void ManagerRig::run(std::uint32_t advanceMs, int maxSteps)
{
    for (int i = 0; i < maxSteps && manager_->IsBusy(); ++i) {
        if (answers)
            playRadio();
        manager_->CloneDriver().Step();
        manager_->AdjustDriver().Step();
        clock_.advance(advanceMs);
    }
}

} // namespace clonetest
