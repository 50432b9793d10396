#include "cells/DrawPassRecords.h"

#include "channels/datCh.h"

#include <optional>

namespace {

struct Remembered {
    int passes = 0;
    std::optional<datCh> record;
};

// Painting happens on the program's one window thread.
Remembered &remembered()
{
    static Remembered state;
    return state;
}

} // namespace

DrawPassRecords::DrawPassRecords() { ++remembered().passes; }

DrawPassRecords::~DrawPassRecords()
{
    if (--remembered().passes == 0)
        Forget();
}

void DrawPassRecords::Decode(datCh &record, int kind, int index)
{
    Remembered &state = remembered();
    // The multi-table rows write their shadows as they decode.
    if (state.passes == 0 || kind == datCh::kKindMultiTable) {
        record.decode(kind, index);
        return;
    }
    const std::optional<datCh> &last = state.record;
    if (last && last->kind == kind && last->index == index && last->image == record.image &&
        last->shadows == record.shadows) {
        record = *last;
        return;
    }
    record.decode(kind, index);
    state.record = record;
}

void DrawPassRecords::Forget() { remembered().record.reset(); }
