#pragma once

#include <cstdint>

// One bank of memory channels as its sheet sees it: where its channels start
// in the channel list, how many it holds, and its kind. A group-ID bank holds
// group entries (shown in the group columns); a trunking bank SmarTrunk
// channels.
struct BankFacts {
    int firstChannel = 0;
    int channelCount = 0;
    bool groupId = false;
    bool trunking = false;

    // The bank in the working image of the installed model object; an empty
    // bank without one.
    static BankFacts Read(int bank);

    // The columns a bank's sheet hides: a group-ID bank has no frequencies,
    // tones or digital settings of its own, every other bank no group
    // settings.
    static bool HidesLabel(bool groupIdBank, std::int32_t label);
};
