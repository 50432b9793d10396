#pragma once

#include <cstdint>
#include <functional>

class cmcEeprom;
class LayoutConversion;

// Brings a working image into the form this program stores: what the user
// cannot edit comes from the model's initial image, derived fields (first
// usable channel, first active lists, sorted ID indexes, flag bits) agree
// with the data, and texts and counts are within their limits. Run with
// store = true before a save or clone write (it ends by rebuilding the radio
// layout) and with store = false right after a load (it starts by reading
// the radio layout). Keeps no state between runs.
class Normalisation
{
public:
    // The layout conversions the run starts or ends with.
    struct Conversions {
        std::function<void(cmcEeprom &image)> radioToWorking;
        std::function<void(cmcEeprom &image)> workingToRadio;
    };
    // The model's conversions; the radio layout written here is not yet the
    // one a clone write sends.
    static Conversions fromLayout(const LayoutConversion &conversion);

    Normalisation(const cmcEeprom &initial, int modelType, Conversions conversions);

    void run(cmcEeprom &working, bool store) const;

private:
    struct Pass;

    const cmcEeprom &initial_;
    int modelType_;
    Conversions conversions_;
};
