#include "link/CloneProgressView.h"

#include "link/dst_CDrv_Result.h"
#include "platform/PlaceholderText.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>

using platform::fillPlaceholders;

namespace {

constexpr const char *kProgressKey = "GI_Clone_Progress";

enum ProgressLine {
    kReadingLine = 0,
    kWritingLine = 1,
    kInformationLine = 2,
    kBytesLine = 3,
    kBytesAndTimeLine = 4,
    kWaitingLine = 5,
    kCancelLine = 6,
    kRefusedLine = 7,
};

// The rate of the first moments says little: the link is still being set up.
constexpr std::uint32_t kFirstEstimateMs = 1000;

int operationLine(std::int32_t kind)
{
    switch (kind) {
    case clonekind::kRead:
        return kReadingLine;
    case clonekind::kWrite:
        return kWritingLine;
    default:
        return kInformationLine;
    }
}

std::string minutesAndSeconds(std::int32_t seconds)
{
    const std::string ones = std::to_string(seconds % 60);
    return std::to_string(seconds / 60) + ":" + (ones.size() < 2 ? "0" : "") + ones;
}

} // namespace

std::int32_t filledProgressSegments(std::int32_t bytes, std::int32_t total)
{
    if (total <= 0)
        return 0;
    const std::int64_t filled = std::int64_t(bytes) * 33 / total;
    return std::int32_t(std::clamp<std::int64_t>(filled, 0, CloneProgressView::kSegments));
}

ProgressSegment progressSegment(std::int32_t index, std::int32_t areaWidth)
{
    const std::int32_t width = areaWidth / CloneProgressView::kSegments;
    return {width * index, width * (index + 1) - 1};
}

CloneProgress cloneProgress(std::int32_t kind, std::int32_t bytesDone, std::int32_t total,
                            std::uint32_t elapsedMs, bool cancellable)
{
    CloneProgress progress;
    progress.kind = kind;
    progress.total = std::max(total, 0);
    progress.bytesDone = std::clamp(bytesDone, 0, progress.total);
    progress.filledSegments = filledProgressSegments(progress.bytesDone, progress.total);
    progress.cancellable = cancellable;
    if (progress.total > 0)
        progress.percent = std::int32_t(std::int64_t(progress.bytesDone) * 100 / progress.total);
    if (progress.bytesDone > 0 && elapsedMs >= kFirstEstimateMs) {
        const std::int64_t left = progress.total - progress.bytesDone;
        // Rounded up: "0:00 left" would be a promise the last bytes break.
        progress.secondsLeft =
            std::int32_t((left * elapsedMs + std::int64_t(progress.bytesDone) * 1000 - 1) /
                         (std::int64_t(progress.bytesDone) * 1000));
    }
    return progress;
}

std::string cloneProgressText(const CloneProgress &progress)
{
    cmcGTex &texts = mainTextDatabase();
    const std::string operation = texts.GetLine(kProgressKey, operationLine(progress.kind));
    if (progress.total <= 0)
        return fillPlaceholders(texts.GetLine(kProgressKey, kWaitingLine),
                                {{"operation", operation}});
    const int line = progress.secondsLeft >= 0 ? kBytesAndTimeLine : kBytesLine;
    return fillPlaceholders(texts.GetLine(kProgressKey, line),
                            {{"operation", operation},
                             {"done", std::to_string(progress.bytesDone)},
                             {"total", std::to_string(progress.total)},
                             {"percent", std::to_string(progress.percent)},
                             {"left", minutesAndSeconds(std::max(progress.secondsLeft, 0))}});
}

std::string cloneCancelCaption() { return mainTextDatabase().GetLine(kProgressKey, kCancelLine); }

std::string cloneCancelRefusedText()
{
    return mainTextDatabase().GetLine(kProgressKey, kRefusedLine);
}
