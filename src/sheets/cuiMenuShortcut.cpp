#include "sheets/cuiMenuShortcut.h"

#include <cctype>
#include <string>

namespace {

struct NamedKey {
    const char *name;
    Qt::Key key;
};

constexpr NamedKey namedKeys[] = {
    {"Enter", Qt::Key_Return},  {"Return", Qt::Key_Return},  {"Esc", Qt::Key_Escape},
    {"Escape", Qt::Key_Escape}, {"BkSp", Qt::Key_Backspace}, {"Backspace", Qt::Key_Backspace},
    {"Tab", Qt::Key_Tab},       {"Space", Qt::Key_Space},    {"Ins", Qt::Key_Insert},
    {"Insert", Qt::Key_Insert}, {"Del", Qt::Key_Delete},     {"Delete", Qt::Key_Delete},
    {"PgUp", Qt::Key_PageUp},   {"PgDn", Qt::Key_PageDown},  {"Home", Qt::Key_Home},
    {"End", Qt::Key_End},       {"Left", Qt::Key_Left},      {"Up", Qt::Key_Up},
    {"Right", Qt::Key_Right},   {"Down", Qt::Key_Down},
};

struct NamedModifier {
    const char *prefix;
    Qt::KeyboardModifier modifier;
};

constexpr NamedModifier namedModifiers[] = {
    {"Shift+", Qt::ShiftModifier},
    {"Ctrl+", Qt::ControlModifier},
    {"Alt+", Qt::AltModifier},
};

bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool takeModifier(std::string_view &text, Qt::KeyboardModifiers &modifiers)
{
    for (const NamedModifier &named : namedModifiers) {
        const std::string_view prefix(named.prefix);
        // A lone "+" after a modifier is the plus key, not another prefix.
        if (text.size() > prefix.size() && sameText(text.substr(0, prefix.size()), prefix)) {
            text.remove_prefix(prefix.size());
            modifiers |= named.modifier;
            return true;
        }
    }
    return false;
}

int functionKey(std::string_view name)
{
    if (name.size() < 2 || name.size() > 3 ||
        std::toupper(static_cast<unsigned char>(name[0])) != 'F')
        return 0;
    int number = 0;
    for (char c : name.substr(1)) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return 0;
        number = number * 10 + (c - '0');
    }
    return number >= 1 && number <= 24 ? Qt::Key_F1 + number - 1 : 0;
}

int keyOf(std::string_view name)
{
    for (const NamedKey &named : namedKeys) {
        if (sameText(name, named.name))
            return named.key;
    }
    if (const int key = functionKey(name); key != 0)
        return key;
    if (name.size() == 1) {
        const unsigned char c = static_cast<unsigned char>(name[0]);
        // Qt numbers printable ASCII keys by their upper-case character.
        if (c > 32 && c < 127)
            return std::toupper(c);
    }
    return 0;
}

} // namespace

QList<QKeySequence> menuShortcutFromText(std::string_view text)
{
    Qt::KeyboardModifiers modifiers;
    while (takeModifier(text, modifiers)) {
    }
    const int key = keyOf(text);
    if (key == 0)
        return {};
    QList<QKeySequence> sequences{QKeySequence(QKeyCombination(modifiers, Qt::Key(key)))};
    if (key == Qt::Key_Return)
        sequences.append(QKeySequence(QKeyCombination(modifiers, Qt::Key_Enter)));
    return sequences;
}
