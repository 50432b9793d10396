#pragma once

#include <cstdint>

// What a sheet on paper asks of the cells it prints. The user character
// sheets of the handheld and of the mobile print their glyphs in that
// radio's display font size, whatever the working image is set to, so that
// a technician gets the sheet of the radio the page is for. The printing
// code sets the mode while it lays out, prints or previews a sheet; cells
// read it only while they are drawn for paper (the capsule's printing bit),
// so the screen keeps following the working image even while a page of
// "print all" lets the main window repaint.
class PrintMode
{
public:
    enum Mode : std::int32_t {
        kScreen = 0,      // glyphs in the working image's font size
        kSmallGlyphs = 1, // the handheld's sheet: the small font (8 rows)
        kLargeGlyphs = 2, // the mobile's sheet: the large font (17 rows)
    };

    static Mode Current();

    // The mode while a sheet is on paper; the one before comes back when the
    // scope ends, however the printing ends (done, cancelled, failed).
    class Scope
    {
    public:
        explicit Scope(Mode mode);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        Mode before_;
    };
};
