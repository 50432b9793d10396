#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Where a clone operation stands, as the "Cloning" window and the terminal
// show it.
struct CloneProgress {
    // The operation kind (clonekind): an ID read, a read or a write.
    std::int32_t kind = 0;
    std::int32_t bytesDone = 0;
    // Bytes of the whole operation; 0 for an ID read, which moves no memory.
    std::int32_t total = 0;
    std::int32_t filledSegments = 0;
    std::int32_t percent = 0;
    // Estimated from the rate so far; -1 while there is nothing to go by.
    std::int32_t secondsLeft = -1;
    // Whether a stop asked for now would be honoured: a write that has sent
    // data cannot be stopped.
    bool cancellable = false;
};

// The small "Cloning" window a clone operation shows. The clone manager opens
// it when the operation starts, hands it where the operation stands every
// 30 ms and closes it when the operation ends; the window draws, and asks the
// manager to stop when the user wants it to.
class CloneProgressView
{
public:
    static constexpr std::int32_t kSegments = 32;

    virtual ~CloneProgressView() = default;

    virtual void OpenProgress(const CloneProgress &progress) = 0;
    virtual void UpdateProgress(const CloneProgress &progress) = 0;
    virtual void CloseProgress() = 0;

    // Set by the clone manager: asks the running operation to stop, true
    // when it will.
    void SetCancelRequest(std::function<bool()> request) { cancelRequest_ = std::move(request); }
    bool RequestCancel() { return cancelRequest_ ? cancelRequest_() : false; }

private:
    std::function<bool()> cancelRequest_;
};

// Segments filled for bytes done out of total: bytes x 33 / total, so the bar
// is full shortly before the last byte. 0 when total is 0.
std::int32_t filledProgressSegments(std::int32_t bytes, std::int32_t total);

// Columns of segment i in a drawing area of the given width: w = width / 32,
// from w x i to w x (i + 1) - 1. The last of them stays in the window colour,
// which separates the segments.
struct ProgressSegment {
    std::int32_t left = 0;
    std::int32_t right = 0;
};
ProgressSegment progressSegment(std::int32_t index, std::int32_t areaWidth);

// Where an operation of the given kind stands after elapsedMs: the bar, the
// percentage and, once a second of data has gone by, the time left at the
// rate so far.
CloneProgress cloneProgress(std::int32_t kind, std::int32_t bytesDone, std::int32_t total,
                            std::uint32_t elapsedMs, bool cancellable);

// The line of text under the bar: the operation, bytes done of total, the
// percentage and the time left, in the words of the text database.
std::string cloneProgressText(const CloneProgress &progress);
// The Cancel button's caption, and why it is disabled while a write sends
// data.
std::string cloneCancelCaption();
std::string cloneCancelRefusedText();
