#include "sheets/cuiMenuHotKeys.h"

#include <QSet>

namespace {

// The character after the first single '&', or a null character.
QChar ownHotKey(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] != QLatin1Char('&'))
            return caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

bool isSeparator(const QString &caption) { return caption == QLatin1String("-"); }

} // namespace

QStringList withHotKeys(const QStringList &captions)
{
    QSet<QChar> used;
    for (const QString &caption : captions) {
        if (const QChar key = ownHotKey(caption); !key.isNull())
            used.insert(key);
    }
    QStringList result = captions;
    for (QString &caption : result) {
        if (isSeparator(caption) || !ownHotKey(caption).isNull())
            continue;
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar key = caption[i].toUpper();
            if (caption[i].isLetterOrNumber() && !used.contains(key)) {
                used.insert(key);
                caption.insert(i, QLatin1Char('&'));
                break;
            }
        }
    }
    return result;
}
