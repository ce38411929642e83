#include "Column.h"

#include "FbHandle.h"
#include "IBError.h"

#include "platform/os/Win1250.h"

#include <ibase.h>

namespace fb {

bool Column::isText() const
{
    return type == SQL_TEXT || type == SQL_VARYING;
}

unsigned bytesPerChar(unsigned charSet)
{
    switch (charSet) {
    case CS_UNICODE_FSS:
        return 3;
    case CS_UTF8:
    case 69: // GB18030
        return 4;
    case 5:  // SJIS_0208
    case 6:  // EUCJ_0208
    case 44: // KSC_5601
    case 56: // BIG_5
    case 57: // GB_2312
    case 67: // GBK
    case 68: // CP943C
        return 2;
    default:
        return 1;
    }
}

unsigned Column::charLength() const
{
    return length / bytesPerChar(charSet);
}

std::vector<Column> columnsOf(Firebird::IMessageMetadata *meta)
{
    std::vector<Column> cols;
    if (!meta)
        return cols;
    auto &st = status();
    const unsigned n = meta->getCount(&st);
    check(st);
    cols.reserve(n);
    auto text = [](const char *s) { return s ? Win1250::toUnicode(s, static_cast<qsizetype>(qstrlen(s))) : QString(); };
    for (unsigned i = 0; i < n; ++i) {
        Column c;
        c.name = text(meta->getField(&st, i));
        c.alias = text(meta->getAlias(&st, i));
        c.relation = text(meta->getRelation(&st, i));
        c.owner = text(meta->getOwner(&st, i));
        c.type = meta->getType(&st, i) & ~1u;
        c.subType = meta->getSubType(&st, i);
        c.scale = meta->getScale(&st, i);
        c.length = meta->getLength(&st, i);
        c.charSet = meta->getCharSet(&st, i) & 0xFFu;
        c.nullable = meta->isNullable(&st, i);
        c.offset = meta->getOffset(&st, i);
        c.nullOffset = meta->getNullOffset(&st, i);
        check(st);
        if (c.alias.isEmpty())
            c.alias = c.name;
        cols.push_back(std::move(c));
    }
    return cols;
}

} // namespace fb
