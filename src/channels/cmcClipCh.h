#pragma once

#include "channels/datCh.h"

#include <cstdint>
#include <vector>

class cmcEeprom;

// Decoded rows of one record kind, held between a copy and a paste. It is
// not the system clipboard: the rows live as long as the object. The block
// commands also use short-lived instances as scratch buffers.
class cmcClipCh
{
public:
    cmcClipCh() = default;
    cmcClipCh(const cmcClipCh &) = delete;
    cmcClipCh &operator=(const cmcClipCh &) = delete;
    virtual ~cmcClipCh();

    // Empty: kind 0, no rows.
    virtual void Clear();
    // Replaces the content with rows first .. first + count - 1 of the kind.
    virtual void Copy(cmcEeprom &image, int kind, int firstIndex, int count);
    virtual void Fetch(cmcEeprom &image, int kind, int index, datCh &record);
    // True when the rows held are of this kind.
    virtual bool CanPaste(int kind) const;
    // Stores the held rows from firstIndex on, at most `count` of them; does
    // nothing for another kind.
    virtual void Paste(cmcEeprom &image, int kind, int firstIndex, int count);
    virtual void Store(cmcEeprom &image, int kind, int index, datCh &record);

    int Kind() const { return kind_; }
    int FirstIndex() const { return firstIndex_; }
    int Count() const { return static_cast<int>(records_.size()); }
    const datCh &Record(int i) const { return records_.at(static_cast<std::size_t>(i)); }

private:
    std::vector<datCh> records_;
    int kind_ = datCh::kKindNone;
    int firstIndex_ = 0;
};
