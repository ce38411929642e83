// A parameter block (connection, service attach, service action) built through fbclient's
// builder, with text in WIN1250; empty strings are left out.
#pragma once

#include "FbHandle.h"

#include <QString>

namespace fb {

class ParamBlock {
public:
    explicit ParamBlock(unsigned kind);
    ParamBlock(const ParamBlock &) = delete;
    ParamBlock &operator=(const ParamBlock &) = delete;
    ~ParamBlock();

    ParamBlock &tag(unsigned char tag);
    ParamBlock &text(unsigned char tag, const QString &value);
    ParamBlock &bytes(unsigned char tag, const QByteArray &value);
    ParamBlock &number(unsigned char tag, int value);

    unsigned length() const;
    const unsigned char *data() const;

private:
    Firebird::IXpbBuilder *b_;
};

} // namespace fb
