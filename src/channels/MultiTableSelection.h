#pragma once

#include <cstdint>

// Which of the 16 multi-table sets the multi-table rows show. A sheet opened
// for one set selects it; a sheet without a set switches the selection off
// and the default set applies again. The owner of the multi-table shadows
// keeps one for the whole run.
class MultiTableSelection
{
public:
    static constexpr int kSets = 16;

    // The set the rows are read from and written to.
    int set() const { return switchedOn != 0 ? chosen : fallback; }

    void select(int setNumber)
    {
        chosen = static_cast<uint8_t>(setNumber);
        switchedOn = 1;
    }
    void switchOff() { switchedOn = 0; }

    uint8_t fallback = 0;
    uint8_t chosen = 0;
    uint8_t switchedOn = 0;
};

// The selection of the whole run, shared by the sheets and the channel records.
MultiTableSelection &multiTableSelection();
