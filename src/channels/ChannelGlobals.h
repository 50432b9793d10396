#pragma once

#include <cstdint>

class cmcEeprom;

// The few working-image words and bitmaps that belong to the channel list as
// a whole rather than to one row: bank counts and flags, the list counts of
// the growing lists and the derived DTMF bit of every channel. Numbers read
// from the image are kept within what the layout can hold.
class ChannelGlobals
{
public:
    static int readWord(const cmcEeprom &image, int32_t address);
    static void writeWord(cmcEeprom &image, int32_t address, int value);

    // This model has bank 0 only; other banks hold nothing and read 0.
    static int bankChannelCount(const cmcEeprom &image, int bank);
    static void setBankChannelCount(cmcEeprom &image, int bank, int count);
    static int bankOfChannel(const cmcEeprom &image, int channel);
    static int bankFirstChannel(const cmcEeprom &image, int bank);
    // flagsAddress is the bank SmarTrunk or LTR bitmap.
    static bool bankFlag(const cmcEeprom &image, int32_t flagsAddress, int bank);
    // Returns the flag as it now reads.
    static bool setBankFlag(cmcEeprom &image, int32_t flagsAddress, int bank, bool on);

    // Address of the records-in-use word of a growing list, 0 for other kinds.
    static int32_t listCountAddress(int kind);
    static int listCount(const cmcEeprom &image, int kind);
    static void setListCount(cmcEeprom &image, int kind, int count);

    // A channel decodes DTMF when any decode entry holds digits and the
    // channel is not a digital-only channel.
    static void refreshDtmfBits(cmcEeprom &image);
};
