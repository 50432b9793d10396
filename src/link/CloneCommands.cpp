#include "link/CloneCommands.h"

#include "image/cmcEeprom.h"
#include "link/CloneHost.h"
#include "link/CloneProgressView.h"
#include "link/dst_CDrv_Result.h"
#include "link/indCloneMan.h"
#include "platform/HexDigits.h"
#include "platform/MessageService.h"
#include "platform/PlaceholderText.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <cctype>
#include <cstring>

using platform::fillPlaceholders;

namespace {

constexpr const char *kStatusKey = "GI_Mess_Clone_Status";

enum StatusLine {
    kReadDoneLine = 0,
    kReadCancelledLine = 1,
    kWriteCancelledLine = 2,
    kInfoCancelledLine = 3,
    kBackupFailedLine = 4,
};

std::string statusLine(int line) { return mainTextDatabase().GetLine(kStatusKey, line); }

// Tenths of a second are enough to compare two reads.
std::string seconds(std::uint32_t ms)
{
    const std::uint32_t tenths = (ms + 50) / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string backupProblem(const std::string &reason)
{
    if (reason.empty())
        return {};
    return fillPlaceholders(statusLine(kBackupFailedLine), {{"reason", reason}});
}

std::string joined(const std::string &first, const std::string &second)
{
    return first.empty() || second.empty() ? first + second : first + " " + second;
}

constexpr char kMakerMark[] = "VORN Inc";
constexpr std::int32_t kMakerMarkLength = 8;
constexpr std::int32_t kReadRangeKind = 1;
constexpr std::int32_t kWriteRangeKind = 0;

// Radio bytes of an image; false when they do not lie inside it.
bool readBytes(const cmcEeprom &image, std::int32_t address, std::uint8_t *out, std::int32_t count)
{
    if (address < 0 || count <= 0 || address > image.GetSize() - count)
        return false;
    image.ReadBlock(address, out, count);
    return true;
}

// A big-endian word of the radio layout; -1 outside the image.
std::int32_t word(const cmcEeprom &image, std::int32_t address)
{
    std::uint8_t bytes[2];
    return readBytes(image, address, bytes, 2) ? (bytes[0] << 8) | bytes[1] : -1;
}

bool makerMarkAt(const cmcEeprom &image, std::int32_t address)
{
    std::uint8_t bytes[kMakerMarkLength];
    return readBytes(image, address, bytes, kMakerMarkLength) &&
           std::memcmp(bytes, kMakerMark, kMakerMarkLength) == 0;
}

} // namespace

CloneCommands::CloneCommands(CloneHost &host, indCloneMan &manager) : host_(host), manager_(manager)
{
    manager_.RegisterIdHandler(&CloneCommands::IdHandler, &host_);
    manager_.RegisterReadHandler(&CloneCommands::ReadHandler, &host_);
}

void CloneCommands::SetModelIds() { manager_.SetModelIds(host_.ModelId1(), host_.ModelId2()); }

// ---------------------------------------------------------------------------
// Commands

void CloneCommands::CloneRead()
{
    host_.EndCellEdit();
    if (!host_.QuerySaveChanges() || manager_.IsBusy())
        return;
    SetModelIds();
    manager_.IdRead(&CloneCommands::onReadContinuation, this);
}

void CloneCommands::CloneWrite()
{
    host_.EndCellEdit();
    if (manager_.IsBusy())
        return;
    SetModelIds();
    manager_.IdRead(&CloneCommands::onWriteContinuation, this);
}

void CloneCommands::CloneInfo()
{
    if (manager_.IsBusy())
        return;
    SetModelIds();
    manager_.IdRead(&CloneCommands::onInfo, this);
}

void CloneCommands::onReadContinuation(void *context, dst_CDrv_Result *result)
{
    CloneHost &host = static_cast<CloneCommands *>(context)->host_;
    if (result->code == clonecode::kCancelled)
        host.ShowStatus(statusLine(kReadCancelledLine));
    host.ReadContinuation(*result);
}

void CloneCommands::onWriteContinuation(void *context, dst_CDrv_Result *result)
{
    CloneHost &host = static_cast<CloneCommands *>(context)->host_;
    if (result->code == clonecode::kCancelled)
        host.ShowStatus(statusLine(kWriteCancelledLine));
    host.WriteContinuation(*result);
}

void CloneCommands::onInfo(void *context, dst_CDrv_Result *result)
{
    CloneHost &host = static_cast<CloneCommands *>(context)->host_;
    if (result->code == clonecode::kOk)
        host.ShowCloneInfoWindow();
    else if (result->code == clonecode::kCancelled)
        host.ShowStatus(statusLine(kInfoCancelledLine));
}

// ---------------------------------------------------------------------------
// Read

void CloneCommands::ReadContinuation(const dst_CDrv_Result &result)
{
    if (result.code != clonecode::kOk || manager_.IsBusy())
        return;
    StartRead();
}

bool CloneCommands::StartRead()
{
    RangeList ranges = host_.MakeRangeList(kReadRangeKind);
    if (!ranges.empty())
        ranges.front().last = InfoEndAddress(host_.CloneInfoArea());
    manager_.SetImageSize(host_.WorkingImage().GetSize());
    return manager_.Read(ranges, &CloneCommands::onReadDone, this);
}

// The copy keeps the radio's memory as it arrived; the model converts only
// the working image.
void CloneCommands::onReadDone(void *context, dst_CDrv_Result *result)
{
    auto &commands = *static_cast<CloneCommands *>(context);
    CloneHost &host = commands.host_;
    if (result->code == clonecode::kCancelled)
        host.ShowStatus(statusLine(kReadCancelledLine));
    if (result->code != clonecode::kOk)
        return;
    cmcEeprom &working = host.WorkingImage();
    working.CopyFrom(result->image);
    host.AfterLoadHook(working);
    const std::string backup = backupProblem(host.KeepBackup(result->image, false));
    host.MarkClonedDocument();
    host.CloseCurrentSheet();
    host.PostEvent(kViewsRebuildEvent);
    const indCloneMan &manager = commands.manager_;
    host.ShowStatus(joined(fillPlaceholders(statusLine(kReadDoneLine),
                                            {{"bytes", std::to_string(manager.LastBytes())},
                                             {"seconds", seconds(manager.LastDurationMs())}}),
                           backup));
}

std::int32_t CloneCommands::InfoEndAddress(const std::uint8_t *area)
{
    std::int32_t value = 0;
    for (std::int32_t i = 0; i < 4; ++i)
        value =
            value << 4 | std::max(platform::hexDigitValue(char(area[kInfoEndAddressByte + i])), 0);
    return (value & ~0xF) + 15;
}

std::string CloneCommands::InfoSerialNumber(const std::uint8_t *area)
{
    std::string serial;
    for (std::int32_t i = 0; i < kInfoSerialNumberLength; ++i) {
        const char c = static_cast<char>(area[kInfoSerialNumberByte + i]);
        if (platform::hexDigitValue(c) < 0)
            return {};
        serial.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    return serial;
}

// ---------------------------------------------------------------------------
// Write

void CloneCommands::WriteContinuation(const dst_CDrv_Result &result)
{
    if (result.code != clonecode::kOk || manager_.IsBusy())
        return;
    cmcEeprom &working = host_.WorkingImage();
    manager_.SetImageSize(working.GetSize());
    host_.BeforeSaveHook(working, true);
    const RangeList ranges =
        host_.MakeRangeList(host_.MakerMode() ? kReadRangeKind : kWriteRangeKind);
    StartWrite(working, ranges);
}

// The copy shows what the radio is about to get, whatever the write makes of
// it.
bool CloneCommands::StartWrite(const cmcEeprom &image, const RangeList &ranges)
{
    if (manager_.IsBusy())
        return false;
    const std::string backup = backupProblem(host_.KeepBackup(image, true));
    if (!backup.empty())
        host_.ShowStatus(backup);
    return manager_.Write(image, ranges, &CloneCommands::onWriteDone, this);
}

void CloneCommands::onWriteDone(void *context, dst_CDrv_Result *result)
{
    if (result->code == clonecode::kCancelled)
        static_cast<CloneCommands *>(context)->host_.ShowStatus(statusLine(kWriteCancelledLine));
    if (result->code != clonecode::kOk)
        return;
    static_cast<CloneCommands *>(context)->host_.CloseCurrentSheet();
    platform::showMessage(appTitle(), mainTextDatabase().GetText("GI_Mess_CloneWrite_Succeeded"),
                          platform::MessageIcon::Information);
}

// ---------------------------------------------------------------------------
// Result handlers

void CloneCommands::IdHandler(void *context, dst_CDrv_Result *result)
{
    if (result->code != clonecode::kOk)
        return;
    CloneHost &host = *static_cast<CloneHost *>(context);
    if (result->id1 != host.ModelId1()) {
        result->code = clonecode::kWrongRadio;
        return;
    }
    const std::uint8_t ids[4] = {std::uint8_t(result->id1 >> 8), std::uint8_t(result->id1),
                                 std::uint8_t(result->id2 >> 8), std::uint8_t(result->id2)};
    host.StoreCloneIds(ids);
    const cmcBuff &information = result->information;
    if (information.Length() == 0 || information.Data()[0] != information.Length()) {
        result->code = clonecode::kWrongRadio;
        return;
    }
    // A shorter block leaves no bytes of an earlier radio behind.
    std::uint8_t *area = host.CloneInfoArea();
    const std::int32_t count = std::min(information.Length(), CloneHost::kCloneInfoBytes);
    std::fill(area, area + CloneHost::kCloneInfoBytes, 0);
    std::copy(information.Data(), information.Data() + count, area);
    if (area[kInfoRevisionByte] > 1)
        result->code = clonecode::kMapRevision;
}

void CloneCommands::ReadHandler(void *context, dst_CDrv_Result *result)
{
    if (result->code != clonecode::kOk)
        return;
    CloneHost &host = *static_cast<CloneHost *>(context);
    if (!host.ImageCheck(result->image, true))
        result->code = clonecode::kImageCheckFailed;
    else if (host.ModelCheck(result->image))
        result->code = clonecode::kModelCheckFailed;
}

bool CloneCommands::ImageCheck(const cmcEeprom &image, bool strict)
{
    std::uint8_t revision = 0;
    if (word(image, 0x90) != kLayoutCode || !readBytes(image, 0x108, &revision, 1) || revision > 1)
        return false;
    if (!strict)
        return true;
    const std::int32_t end = word(image, 0x112);
    const std::int32_t start = word(image, 0x114);
    return makerMarkAt(image, 0x100) && word(image, 0x10A) == kModelCode && end >= 0 &&
           start >= 0 && makerMarkAt(image, end - start + 504);
}
