#include "SqlWait.h"

namespace {
std::function<void(bool)> &hook()
{
    static std::function<void(bool)> h;
    return h;
}
int depth = 0;
} // namespace

void SetSqlWaitHook(std::function<void(bool busy)> h)
{
    hook() = std::move(h);
}

void SqlWaitBegin()
{
    if (depth++ == 0 && hook())
        hook()(true);
}

void SqlWaitEnd()
{
    if (depth > 0 && --depth == 0 && hook())
        hook()(false);
}
