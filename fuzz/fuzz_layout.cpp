// Feeds arbitrary radio layouts to the conversions: the input's first bytes
// become the table header and base address, the rest the parameter area.
// Whatever the table claims, reading it must stay inside the image, and
// writing the working layout back must produce a table that reads again.

#include "image/ImageWords.h"
#include "image/LayoutConversion.h"
#include "image/MultiTableShadows.h"
#include "image/WorkingLayout.h"
#include "image/cmcEeprom.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

namespace wl = working_layout;

constexpr size_t kPrefix = 12; // header (8), base (2), flags (2)

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < kPrefix)
        return 0;
    static cmcEeprom image;
    image.SetSize(wl::kImageSize);
    image.WriteBlock(wl::kTableHeader, data, 8);
    image.WriteBlock(wl::kBaseAddress, data + 8, 2);
    // Mostly a present table: that is where the addresses are followed.
    if ((data[10] & 0x0F) != 0)
        image_words::write16(image, wl::kTableHeader, 1);
    const int modelType = data[10] >> 7;
    const size_t area = std::min<size_t>(size - kPrefix, wl::kRadioEnd - wl::kParameterArea);
    image.WriteBlock(wl::kParameterArea, data + kPrefix, static_cast<int32_t>(area));

    MultiTableShadows shadows;
    LayoutContext context;
    context.modelType = modelType;
    context.shadows = &shadows;
    const LayoutConversion conversion(context);
    cmcEeprom initial;
    initial.CopyFrom(image);
    conversion.InitialToWorking(initial);
    conversion.RadioToWorking(image);
    if (conversion.WorkingToRadio(image, (data[11] & 1) != 0))
        std::abort(); // the working layout always fits the radio's memory
    cmcEeprom again;
    again.CopyFrom(image);
    conversion.RadioToWorking(again);
    return 0;
}
