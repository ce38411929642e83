#include "PackedRow.h"

#include "Decode.h"

#include <ibase.h>

#include <cstring>

namespace fb {

void PackedRow::reset(const std::vector<Column> &columns)
{
    columns_ = columns;
    slots_.assign(columns.size(), Slot());
    nullBytes_ = unsigned((columns.size() + 7) / 8);
    unsigned at = nullBytes_, texts = 0, textBytes = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].isText()) {
            slots_[i].var = int(texts++);
            textBytes += columns[i].length;
        } else {
            slots_[i].offset = at;
            at += columns[i].length;
        }
    }
    // An end offset is at most the bytes of all texts: most rows' texts fit ends of one byte.
    endWidth_ = textBytes <= 0xFF ? 1 : textBytes <= 0xFFFF ? 2 : 4;
    endsAt_ = at;
    textsAt_ = at + texts * endWidth_;
    maxSize_ = textsAt_ + textBytes;
}

unsigned PackedRow::pack(const unsigned char *msg, unsigned char *dst) const
{
    std::memset(dst, 0, nullBytes_);
    unsigned char *text = dst + textsAt_;
    for (size_t i = 0; i < columns_.size(); ++i) {
        const Column &c = columns_[i];
        const Slot &s = slots_[i];
        const bool null = isNull(c, msg);
        if (null)
            dst[i >> 3] |= static_cast<unsigned char>(1u << (i & 7));
        if (s.var < 0) {
            if (!null)
                std::memcpy(dst + s.offset, msg + c.offset, c.length);
            continue;
        }
        if (!null) {
            const unsigned char *p = msg + c.offset;
            unsigned n;
            if (c.type == SQL_VARYING) {
                unsigned short len;
                std::memcpy(&len, p, sizeof len);
                n = len;
                p += 2;
            } else {
                // The padding blanks of a CHAR come back when it is read.
                n = c.length;
                while (n > 0 && p[n - 1] == ' ')
                    --n;
            }
            std::memcpy(text, p, n);
            text += n;
        }
        const unsigned end = unsigned(text - (dst + textsAt_));
        unsigned char *e = dst + endsAt_ + unsigned(s.var) * endWidth_;
        if (endWidth_ == 1) {
            *e = static_cast<unsigned char>(end);
        } else if (endWidth_ == 2) {
            const auto v = static_cast<unsigned short>(end);
            std::memcpy(e, &v, 2);
        } else {
            std::memcpy(e, &end, 4);
        }
    }
    return unsigned(text - dst);
}

unsigned PackedRow::varEnd(const unsigned char *packed, int var) const
{
    const unsigned char *e = packed + endsAt_ + unsigned(var) * endWidth_;
    if (endWidth_ == 1)
        return *e;
    if (endWidth_ == 2) {
        unsigned short v;
        std::memcpy(&v, e, 2);
        return v;
    }
    unsigned v;
    std::memcpy(&v, e, 4);
    return v;
}

QVariant PackedRow::decode(const unsigned char *packed, int column) const
{
    if (packed[column >> 3] & (1u << (column & 7)))
        return {};
    const Column &c = columns_[size_t(column)];
    const Slot &s = slots_[size_t(column)];
    if (s.var < 0)
        return decodeValue(c, packed + s.offset);
    const unsigned begin = s.var == 0 ? 0 : varEnd(packed, s.var - 1);
    const unsigned end = varEnd(packed, s.var);
    return decodeText(c, reinterpret_cast<const char *>(packed + textsAt_ + begin), qsizetype(end - begin));
}

} // namespace fb
