#include "channels/datClipCh.h"

namespace {

constexpr uint8_t kTravelling = datCh::kAttrA | datCh::kAttrB | datCh::kAttrE;

} // namespace

datClipCh::~datClipCh() = default;

void datClipCh::Store(cmcEeprom &image, int kind, int index, datCh &record)
{
    target_.bind(&image);
    target_.decode(kind, index);
    const uint8_t place = target_.attributes();
    const uint8_t bits =
        rawPaste_
            ? place
            : static_cast<uint8_t>((record.attributes() & kTravelling) | (place & ~kTravelling));
    record.setAttributes(bits);
    cmcClipCh::Store(image, kind, index, record);
}

void datClipCh::PasteKeepingTargetAttributes(cmcEeprom &image, int kind, int firstIndex, int count)
{
    rawPaste_ = true;
    Paste(image, kind, firstIndex, count);
    rawPaste_ = false;
}
