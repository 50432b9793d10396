#pragma once

#include <QKeySequence>
#include <QList>

#include <string_view>

// The key sequences of a shortcut text as menu descriptions write it:
// optional "Shift+", "Ctrl+" and "Alt+" in any order, then one key: a letter
// or digit, a punctuation character, F1 to F24, or a key name such as
// "Enter", "Esc", "BkSp", "Ins", "Del", "PgUp", "PgDn", "Home", "End",
// "Left", "Up", "Right", "Down", "Tab", "Space" (names compared without
// regard to case). "Enter" stands for both Enter keys. Anything else, an
// empty text included, gives no sequence: the item then has no shortcut.
QList<QKeySequence> menuShortcutFromText(std::string_view text);
