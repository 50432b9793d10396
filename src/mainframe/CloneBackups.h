#pragma once

#include "image/AddressRange.h"

#include <cstdint>
#include <string>

class QDateTime;
class cmcEeprom;

// The copies of radio images the clone commands keep without being asked:
// every image read from a radio and every image about to be written to one,
// as clone files in the backups folder of the user's data folder. The
// newest ones are kept, the older ones go, so the folder never grows
// without end.
class CloneBackups
{
public:
    // What a copy holds and what its file is named after.
    struct Copy {
        const cmcEeprom *image = nullptr;
        std::uint16_t modelCode = 0;
        std::uint16_t subCode = 0;
        std::string comment;
        RangeList ranges;
        // Read from the radio (false) or about to be written to it.
        bool written = false;
        // The radio's serial number; empty when it is not known.
        std::string serial;
    };

    // "backups" in the user's data folder.
    static std::string Folder();
    // Date, time, operation and serial: "2026-12-10_190216_read.vrc",
    // "2026-12-10_190216_write_0123ABCD.vrc". A serial gives only its
    // letters and digits to the name.
    static std::string FileName(const QDateTime &when, bool written, const std::string &serial);
    // Saves the copy in the folder and removes the oldest copies beyond
    // keep; with keep 0 nothing is saved. Returns why the copy could not be
    // saved, empty when it was (or was not to be); path gets the file saved.
    static std::string Keep(const Copy &copy, std::int32_t keep, std::string &path);
    // Removes the oldest copies of the folder beyond keep; other files stay.
    static void Prune(const std::string &folder, std::int32_t keep);
};
