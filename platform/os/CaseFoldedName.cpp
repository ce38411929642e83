#include "CaseFoldedName.h"

namespace {

bool isAscii(QStringView s)
{
    for (const QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// What case folding makes of an ASCII character.
char16_t foldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

size_t hashFolded(QStringView folded, bool ascii, size_t seed)
{
    // FNV-1a over the folded characters, so an ASCII name and a folded copy of another hash alike.
    quint64 h = 14695981039346656037ULL;
    for (const QChar c : folded) {
        h ^= ascii ? foldAscii(c.unicode()) : c.unicode();
        h *= 1099511628211ULL;
    }
    return size_t(h) ^ seed;
}

} // namespace

bool operator==(const TCaseFoldedName &a, const TCaseFoldedName &b)
{
    if (isAscii(a.Name) && isAscii(b.Name)) {
        if (a.Name.size() != b.Name.size())
            return false;
        for (qsizetype i = 0; i < a.Name.size(); ++i)
            if (foldAscii(a.Name[i].unicode()) != foldAscii(b.Name[i].unicode()))
                return false;
        return true;
    }
    return a.Name.toCaseFolded() == b.Name.toCaseFolded();
}

size_t qHash(const TCaseFoldedName &key, size_t seed)
{
    if (isAscii(key.Name))
        return hashFolded(key.Name, true, seed);
    const QString folded = key.Name.toCaseFolded();
    return hashFolded(folded, false, seed);
}
