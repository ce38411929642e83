// A fetched row in the little room its data needs: one null bit per column, the fixed-size values at
// fixed places, texts at their length (the message buffer pads each text to its declared size and
// gives every column a two-byte null flag). Data sets keep their fetched rows this way.
#pragma once

#include "Column.h"

#include <QVariant>

#include <vector>

namespace fb {

class PackedRow {
public:
    // Lays out rows of the given message columns.
    void reset(const std::vector<Column> &columns);
    // The most bytes a packed row takes (never more than the message).
    unsigned maxSize() const { return maxSize_; }
    // Packs a message buffer into dst (maxSize() bytes free); returns the bytes used.
    unsigned pack(const unsigned char *msg, unsigned char *dst) const;
    // The value of a column of a packed row, as decode() gives it from the message.
    QVariant decode(const unsigned char *packed, int column) const;

private:
    unsigned varEnd(const unsigned char *packed, int var) const;
    struct Slot {
        unsigned offset = 0; // fixed values: place in the row
        int var = -1;        // texts: their number among the texts
    };
    std::vector<Column> columns_;
    std::vector<Slot> slots_;
    unsigned nullBytes_ = 0;
    unsigned endsAt_ = 0;   // the text end offsets
    unsigned textsAt_ = 0;  // the texts themselves
    unsigned endWidth_ = 1; // bytes of one end offset
    unsigned maxSize_ = 0;
};

} // namespace fb
