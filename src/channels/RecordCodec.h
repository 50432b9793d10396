#pragma once

#include "channels/RecordLayout.h"

class cmcEeprom;
class datCh;

// Walks a kind's field table between a row of the image and a record. Bits a
// table does not name are never written.
class RecordCodec
{
public:
    static void decode(datCh &record, const record_layout::Layout &layout, cmcEeprom &image,
                       int row);
    static void encode(datCh &record, const record_layout::Layout &layout, cmcEeprom &image,
                       int row);
};
