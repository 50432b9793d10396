#pragma once

#include <QStringList>

// Gives every caption of one menu level that has no hot key ('&' before a
// character; "&&" is a plain '&') the first of its letters or digits that
// no other caption of the level uses yet. Captions with their own hot key
// keep it, separators ("-") are left alone, and a caption whose characters
// are all taken stays without one.
QStringList withHotKeys(const QStringList &captions);
