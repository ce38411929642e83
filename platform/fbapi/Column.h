// One input parameter or output column of a prepared statement, as the message buffer holds it:
// name, label, SQL type, scale, size, character set and its place in the buffer.
#pragma once

#include <QString>

#include <vector>

namespace Firebird {
class IMessageMetadata;
}

namespace fb {

// Character set ids the client meets.
inline constexpr unsigned CS_NONE = 0;
inline constexpr unsigned CS_OCTETS = 1;
inline constexpr unsigned CS_UNICODE_FSS = 3;
inline constexpr unsigned CS_UTF8 = 4;
inline constexpr unsigned CS_WIN1250 = 51;

struct Column {
    QString name;  // the field name
    QString alias; // the column label: the data-set field name
    QString relation;
    QString owner;
    unsigned type = 0; // SQL_* without the null bit
    int subType = 0;
    int scale = 0;
    unsigned length = 0; // bytes
    unsigned charSet = 0;
    bool nullable = true;
    unsigned offset = 0;
    unsigned nullOffset = 0;

    bool isText() const;
    // Characters a text column holds: its bytes over the bytes a character of its set takes.
    unsigned charLength() const;
};

unsigned bytesPerChar(unsigned charSet);

// The columns of a message, in order.
std::vector<Column> columnsOf(Firebird::IMessageMetadata *meta);

} // namespace fb
