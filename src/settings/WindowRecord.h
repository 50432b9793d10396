#pragma once

#include <cstdint>
#include <string>

// Where an auxiliary window was last placed, kept by name so that the window
// reopens where the user left it.
struct WindowRecord {
    std::string name;
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    // Grid position of the window's sheet; -1 when the record came from the
    // settings store, which does not keep it.
    int32_t leftColumn = -1;
    int32_t topRow = -1;
    int32_t column = -1;
    int32_t row = -1;
    int32_t state = 0;
    // The window exists right now; never stored.
    bool open = false;
};
