#include "model/StandardModelHooks.h"

#include "channels/MultiTableSelection.h"
#include "channels/Normalisation.h"
#include "channels/datCh.h"
#include "image/cmcEeprom.h"
#include "model/indMain.h"

#include <cmath>

namespace {

constexpr int kTwoToneKind = 10;

// Decoding a channel refreshes derived bits in the image, so counting on an
// image the caller wants unchanged works on a copy.
template <typename Count>
int countOnCopy(const cmcEeprom &image, Count count)
{
    cmcEeprom copy;
    copy.CopyFrom(image);
    datCh record(&copy);
    return count(record);
}

datCh::RealPair limitsAround(double frequency, double tolerance)
{
    return {std::round((1.0 - tolerance) * frequency), std::round((1.0 + tolerance) * frequency)};
}

// The receive limits of every 2-tone code follow its two tone frequencies.
// Row 0 has no transmit row (code i uses transmit row i - 1), so the walk
// covers the codes the record kind addresses.
void recomputeTwoToneLimits(cmcEeprom &image, double tolerance)
{
    datCh record(&image);
    for (int row = datCh::firstIndex(kTwoToneKind); row <= datCh::lastIndex(kTwoToneKind); ++row) {
        record.decode(kTwoToneKind, row);
        record.RxFreq_1st = limitsAround(record.TxFreq_1st, tolerance);
        record.RxFreq_2nd = limitsAround(record.TxFreq_2nd, tolerance);
        record.encode(kTwoToneKind, row);
    }
}

} // namespace

void installStandardModelHooks(indMain &model)
{
    datCh::installMultiTable(&model.Shadows(), &multiTableSelection());
    ModelHooks hooks;
    hooks.normalise = [&model](cmcEeprom &image, bool store) {
        Normalisation(model.InitialImage(), model.ModelType(),
                      Normalisation::fromLayout(model.Conversion()))
            .run(image, store);
    };
    hooks.channelsInUse = [](const cmcEeprom &image) {
        return countOnCopy(image, [](datCh &record) { return record.usedChannelCount(0, 31); });
    };
    hooks.recomputeTwoToneLimits = recomputeTwoToneLimits;
    model.SetHooks(std::move(hooks));
}
