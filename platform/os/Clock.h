// The program's clock: every "now" and "today" goes through here, so tests can fix the time.
#pragma once

#include <QDate>
#include <QDateTime>

QDateTime Now();
QDate Date();
// Fixes the clock at the given moment (a null value lets it run again).
void SetNowForTests(const QDateTime &moment);
void ClearNowForTests();
