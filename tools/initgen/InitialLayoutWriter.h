#pragma once

class cmcEeprom;

// Builds the radio layout of an initial file from a working image: every
// block the initial-file conversion reads, arrays as their template record
// (the dPMR list as two), the directory, the end marker and the anchors.
// The radio's fixed fields (identification, map revision) are the caller's.
void writeInitialRadioLayout(cmcEeprom &image);
