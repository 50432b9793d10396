#pragma once

#include "cells/CellCodec.h"

#include <cstdint>
#include <string>

// Fixed-width texts in the radio's character set. Their values are the
// field's bytes (CellStorage::recordBytes or imageBytes); a codec edits the
// first `width` of them and leaves any further bytes alone.

// What fills a text field behind its characters, and what happens to the
// characters the field cannot hold.
enum class TextFill : std::uint8_t {
    Spaces,         // filled with spaces
    Zeros,          // filled with 0; spaces are stored as 0 too
    ZerosLowerCase, // as Zeros, letters stored in lower case
    ZerosKeepSpaces // filled with 0, spaces kept
};

// A plain text: the typed text (or a window's answer) up to `width`
// characters, the rest filled; every byte outside 32..126 becomes the fill.
// Shown up to the first 0, the space-filled form without its trailing
// spaces. Space and Backspace act as Enter, which edits the shown text; a
// printable key starts the editor with itself.
CellCodec editFixedText(int width, TextFill fill);

// A CW identification: as the space-filled text, in upper case, keeping
// only letters, digits, spaces and the marks "'()*+,-./:=? (the others are
// taken out, the rest moves left).
CellCodec editCwText(int width);

// Names of channels, banks, lists and messages, which may hold any byte of
// the radio's character set and are edited in the escaped form
// (channels/RadioText.h). The request's context is the display font: not 0
// for the small font, which shows names of up to 24 characters; the large
// font shows 12, so only that many can be entered.
//
// A draw answers the name in the display font, 12 characters a line (25
// for fields wider than 24), characters the display cannot show in olive;
// the answer's text is the escaped name. Enter, Backspace or a printable
// key (32..255) opens the formatted text window with the name, or with the
// key alone, and the width that can be entered; its answer (or a typed
// text) is the new escaped name, cut to that width and filled to `width`.
enum class NameFill : std::uint8_t { Spaces, Zeros };
CellCodec editName(int width, NameFill fill);

// How many characters of a `width`-wide name the display font can show:
// at most 24 in the small font and 12 in the large one; fields wider than 24
// (messages) are shown whole on several lines.
int enterableNameWidth(int width, bool smallFont);
