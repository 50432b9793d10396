#pragma once

#include <functional>

class cmcEeprom;

// The model object's calls into the channel records and the normalisation
// of the working image, which live in other folders. Unset hooks do
// nothing (counts read as 0).
struct ModelHooks {
    // The normalisation before storing (store true) or after loading.
    std::function<void(cmcEeprom &image, bool store)> normalise;
    // The number of memory channels in use among channels 0 to 31.
    std::function<int(const cmcEeprom &image)> channelsInUse;
    // Re-encodes the limits of the 2-tone codes with the given tolerance.
    std::function<void(cmcEeprom &image, double tolerance)> recomputeTwoToneLimits;
};
