#include "ParamBlock.h"

#include "IBError.h"

#include "platform/os/Win1250.h"

namespace fb {

ParamBlock::ParamBlock(unsigned kind)
{
    auto &st = status();
    b_ = util()->getXpbBuilder(&st, kind, nullptr, 0);
    check(st);
}

ParamBlock::~ParamBlock()
{
    b_->dispose();
}

ParamBlock &ParamBlock::tag(unsigned char t)
{
    auto &st = status();
    b_->insertTag(&st, t);
    check(st);
    return *this;
}

ParamBlock &ParamBlock::text(unsigned char t, const QString &value)
{
    return value.isEmpty() ? *this : bytes(t, Win1250::fromUnicode(value));
}

ParamBlock &ParamBlock::bytes(unsigned char t, const QByteArray &value)
{
    auto &st = status();
    b_->insertBytes(&st, t, value.constData(), static_cast<unsigned>(value.size()));
    check(st);
    return *this;
}

ParamBlock &ParamBlock::number(unsigned char t, int value)
{
    auto &st = status();
    b_->insertInt(&st, t, value);
    check(st);
    return *this;
}

unsigned ParamBlock::length() const
{
    auto &st = status();
    const unsigned n = b_->getBufferLength(&st);
    check(st);
    return n;
}

const unsigned char *ParamBlock::data() const
{
    auto &st = status();
    const unsigned char *p = b_->getBuffer(&st);
    check(st);
    return p;
}

} // namespace fb
