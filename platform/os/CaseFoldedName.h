// A name as a hash key that matches another in any case, as the two names' QString::toCaseFolded() would,
// without making the folded copy for names of plain ASCII (the columns' and the catalogue's names): fields
// are looked up by name on every row a module touches and made again at every open.
#pragma once

#include <QString>
#include <cstddef>

struct TCaseFoldedName {
    QString Name;
};

bool operator==(const TCaseFoldedName &a, const TCaseFoldedName &b);
size_t qHash(const TCaseFoldedName &key, size_t seed = 0);
