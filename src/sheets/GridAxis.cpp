#include "sheets/GridAxis.h"

#include <algorithm>

namespace {

// The mouse catches a cell edge within this many pixels, however thin the
// line drawn there.
constexpr int sizingRange = 7;

} // namespace

GridAxis::GridAxis(int count, int fixedCount, int defaultExtent)
    : defaultExtent_(std::max(defaultExtent, 0))
{
    setCount(count);
    setFixedCount(fixedCount);
}

void GridAxis::setCount(int count)
{
    extents_.resize(static_cast<std::size_t>(std::max(count, 1)), defaultExtent_);
    fixedCount_ = std::min(fixedCount_, this->count() - 1);
    clampFirst();
}

void GridAxis::setFixedCount(int fixedCount)
{
    fixedCount_ = std::clamp(fixedCount, 0, count() - 1);
    first_ = fixedCount_;
}

void GridAxis::setDefaultExtent(int extent)
{
    defaultExtent_ = std::max(extent, 0);
    std::fill(extents_.begin(), extents_.end(), defaultExtent_);
    clampFirst();
}

int GridAxis::extent(int index) const
{
    if (index < 0 || index >= count())
        return defaultExtent_;
    return extents_[static_cast<std::size_t>(index)];
}

bool GridAxis::setExtent(int index, int extent)
{
    if (index < 0 || index >= count())
        return false;
    int &slot = extents_[static_cast<std::size_t>(index)];
    extent = std::max(extent, 0);
    if (slot == extent)
        return false;
    slot = extent;
    clampFirst();
    return true;
}

void GridAxis::setLineWidth(int width)
{
    lineWidth_ = std::max(width, 0);
    clampFirst();
}

void GridAxis::setClientExtent(int extent)
{
    clientExtent_ = std::max(extent, 0);
    clampFirst();
}

bool GridAxis::setFirst(int first)
{
    const int old = first_;
    first_ = std::clamp(first, fixedCount_, std::max(maxFirst(), fixedCount_));
    return first_ != old;
}

void GridAxis::clampFirst() { setFirst(first_); }

int GridAxis::fixedBoundary() const
{
    int pos = 0;
    for (int i = 0; i < fixedCount_; ++i)
        pos += step(i);
    return pos;
}

int GridAxis::start(int index) const
{
    if (index < 0 || index >= count() || (index >= fixedCount_ && index < first_))
        return -1;
    int pos = 0;
    if (index >= fixedCount_) {
        pos = fixedBoundary();
        for (int i = first_; i < index && pos < clientExtent_; ++i)
            pos += step(i);
    } else {
        for (int i = 0; i < index; ++i)
            pos += step(i);
    }
    return pos < clientExtent_ ? pos : -1;
}

int GridAxis::lastVisible() const
{
    int last = first_ - 1;
    for (int i = first_, pos = fixedBoundary(); i < count() && pos < clientExtent_; ++i) {
        last = i;
        pos += step(i);
    }
    return last;
}

int GridAxis::lastFullVisible() const
{
    int last = first_;
    for (int i = first_, end = fixedBoundary(); i < count(); ++i) {
        end += step(i);
        if (end > clientExtent_ + lineWidth_)
            break;
        last = i;
    }
    return last;
}

int GridAxis::boundary() const
{
    int end = fixedBoundary();
    for (int i = first_; i < count(); ++i) {
        if (end + step(i) > clientExtent_ + lineWidth_)
            return clientExtent_;
        end += step(i);
    }
    return end;
}

int GridAxis::firstShowing(int index) const
{
    index = std::clamp(index, fixedCount_, count() - 1);
    int result = index;
    int room = clientExtent_ + lineWidth_ - fixedBoundary();
    for (int i = index; i >= fixedCount_; --i) {
        if (extent(i) <= 0)
            continue;
        room -= step(i);
        if (room < 0)
            break;
        result = i;
    }
    return result;
}

bool GridAxis::scrollIntoView(int index)
{
    if (index < fixedCount_ || index >= count())
        return false;
    if (index < first_)
        return setFirst(index);
    if (index > lastFullVisible())
        return setFirst(firstShowing(index));
    return false;
}

int GridAxis::cellAt(int pos) const
{
    if (pos < 0 || pos >= clientExtent_)
        return -1;
    int end = 0;
    for (int i = 0; i < fixedCount_; ++i) {
        end += step(i);
        if (pos < end)
            return i;
    }
    for (int i = first_; i < count() && end < clientExtent_; ++i) {
        end += step(i);
        if (pos < end)
            return i;
    }
    return -1;
}

int GridAxis::directionAt(int pos) const
{
    if (pos < fixedBoundary())
        return -1;
    return pos > boundary() ? 1 : 0;
}

int GridAxis::sizingIndexAt(int pos) const
{
    const int range = std::max(sizingRange, lineWidth_);
    const int back = (range - lineWidth_) / 2;
    const int limit = boundary();
    for (const Span &span : visibleSpans()) {
        const int edge = span.start + span.extent;
        if (edge > limit)
            break;
        if (pos >= edge - back && pos <= edge - back + range)
            return span.index;
    }
    return -1;
}

int GridAxis::totalExtent() const
{
    int total = 0;
    for (int i = 0; i < count(); ++i)
        total += step(i);
    return total;
}

std::vector<GridAxis::Span> GridAxis::visibleSpans() const
{
    std::vector<Span> spans;
    int pos = 0;
    for (int i = 0; i < fixedCount_ && pos < clientExtent_; ++i) {
        spans.push_back({i, pos, extent(i)});
        pos += step(i);
    }
    pos = fixedBoundary();
    for (int i = first_; i < count() && pos < clientExtent_; ++i) {
        spans.push_back({i, pos, extent(i)});
        pos += step(i);
    }
    return spans;
}

std::vector<GridAxis::Span> GridAxis::tileSpans(int from, int n) const
{
    std::vector<Span> spans;
    int pos = 0;
    for (int i = 0; i < fixedCount_; ++i) {
        spans.push_back({i, pos, extent(i)});
        pos += step(i);
    }
    from = std::max(from, fixedCount_);
    const int end = std::min(count(), from + std::max(n, 0));
    for (int i = from; i < end; ++i) {
        spans.push_back({i, pos, extent(i)});
        pos += step(i);
    }
    return spans;
}

int GridAxis::tileExtent(int from, int n) const
{
    const std::vector<Span> spans = tileSpans(from, n);
    return spans.empty() ? 0 : spans.back().start + spans.back().extent + lineWidth_;
}
