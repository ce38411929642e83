#include "Clock.h"

namespace {
QDateTime &fixedMoment()
{
    static QDateTime moment;
    return moment;
}
} // namespace

QDateTime Now()
{
    const QDateTime &fixed = fixedMoment();
    return fixed.isValid() ? fixed : QDateTime::currentDateTime();
}

QDate Date()
{
    return Now().date();
}

void SetNowForTests(const QDateTime &moment)
{
    fixedMoment() = moment;
}

void ClearNowForTests()
{
    fixedMoment() = QDateTime();
}
