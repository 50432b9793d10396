#pragma once

#include <cstdint>

class cmcEeprom;
struct MultiTableShadows;

// What the conversions need to know beyond the image they convert.
struct LayoutContext {
    // 0 (LMR with KCOOP digital) or 1 (PMR with dPMR); selects the blocks a
    // conversion into the radio layout emits.
    int modelType = 0;
    // The main frame's working image, whose channel count decides how many
    // channel records go into the fixed part. Null: the converted image.
    const cmcEeprom *currentImage = nullptr;
    // Filled after the multi-table block was read; may be null.
    MultiTableShadows *shadows = nullptr;
};

// Moves data between the radio's own layout (the first 65408 bytes of a
// working image, with a parameter table of blocks at addresses the radio
// chooses) and the working layout behind it, where every block has a fixed
// place. Every address taken from the radio layout is checked: blocks,
// records and directory entries that reach outside the radio's memory are
// treated as missing.
class LayoutConversion
{
public:
    explicit LayoutConversion(LayoutContext context);

    // Copies the radio layout's directory into the working copy and the two
    // version bytes into their working places; true when a table is present.
    bool LoadDirectory(cmcEeprom &image) const;
    void RadioToWorking(cmcEeprom &image) const;
    // For the model's initial files, whose arrays hold one template record.
    void InitialToWorking(cmcEeprom &image) const;
    // Rebuilds the radio's parameter area from the working layout; true when
    // it did not fit. cloneWrite: the image is about to be sent to a radio.
    bool WorkingToRadio(cmcEeprom &image, bool cloneWrite) const;
    // Whether the radio's parameter area could hold one record more of the
    // list whose records-in-use word is countWord; the image stays as it is.
    bool HasRoomForAnother(const cmcEeprom &image, int32_t countWord) const;

    // Ends the program when two of the first `count` entries of the working
    // directory copy carry the same id; the emission order makes that
    // impossible unless the order itself is broken.
    static void CheckDirectoryIds(const cmcEeprom &image, int count);

    // A channel slot of the working layout is in use when its receive
    // frequency is not 0.
    static bool ChannelSlotUsed(const cmcEeprom &image, int slot);
    // The slot after the last channel in use among the first `slots`
    // slots, 0 when none is.
    static int UsedChannelSlotEnd(const cmcEeprom &image, int slots);

private:
    struct Directory;

    Directory loadDirectory(cmcEeprom &image) const;
    void mergeLegacyChannels(cmcEeprom &image, const Directory &directory) const;
    void initialiseShadows(const cmcEeprom &image, int records) const;
    int channelCountOfCurrent(const cmcEeprom &image) const;

    LayoutContext context_;
};
