#pragma once

class datCh;

// While one lives, the cell handler decodes the record of a row once for
// all the cells of that row it draws, instead of once per cell: a window
// paints row by row, and painting changes nothing in the image. Live one
// only around painting. Anything but a draw request forgets the remembered
// record, and so does the end of the last one alive, so that nothing decoded
// before a change is ever shown after it.
class DrawPassRecords
{
public:
    DrawPassRecords();
    ~DrawPassRecords();
    DrawPassRecords(const DrawPassRecords &) = delete;
    DrawPassRecords &operator=(const DrawPassRecords &) = delete;

    // record.decode(kind, index), or the copy of the same record of the
    // same image decoded earlier in this pass.
    static void Decode(datCh &record, int kind, int index);
    static void Forget();
};
