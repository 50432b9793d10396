#include "channels/cmcClipCh.h"

cmcClipCh::~cmcClipCh() = default;

void cmcClipCh::Clear()
{
    records_.clear();
    kind_ = datCh::kKindNone;
    firstIndex_ = 0;
}

void cmcClipCh::Copy(cmcEeprom &image, int kind, int firstIndex, int count)
{
    Clear();
    if (kind == datCh::kKindNone || count <= 0)
        return;
    kind_ = kind;
    firstIndex_ = firstIndex;
    records_.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        Fetch(image, kind, firstIndex + i, records_[static_cast<std::size_t>(i)]);
}

void cmcClipCh::Fetch(cmcEeprom &image, int kind, int index, datCh &record)
{
    record.bind(&image);
    record.decode(kind, index);
}

bool cmcClipCh::CanPaste(int kind) const { return kind_ != datCh::kKindNone && kind_ == kind; }

// Each row is stored from a copy, so that what a store adjusts (the image
// it binds, the attribute bits it takes over) never changes the content:
// the same rows can be pasted again elsewhere.
void cmcClipCh::Paste(cmcEeprom &image, int kind, int firstIndex, int count)
{
    if (!CanPaste(kind))
        return;
    for (int i = 0; i < Count() && i < count; ++i) {
        datCh record = records_[static_cast<std::size_t>(i)];
        Store(image, kind, firstIndex + i, record);
    }
}

void cmcClipCh::Store(cmcEeprom &image, int kind, int index, datCh &record)
{
    record.bind(&image);
    record.encode(kind, index);
}
