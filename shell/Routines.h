// The shared routines of every module: SQL literals, next free keys, statements and selects on the scratch
// query, named auxiliary queries, message boxes, date and number texts, money rounding, currency conversion.
#pragma once

#include "platform/ui/Dialogs.h" // ShowError, Confirm

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <optional>
#include <utility>

class TDataSet;
class TField;
class QObject;
class QValidator;
class TDataSource;
class TxQuery;

// ---- SQL literals
// 'yyyy-mm-dd'.
QString SqlDate(const QDate &date);
// A date typed in the locale's short format; EConvertError when it is no date.
QString SqlDateStr(const QString &text);
// Five decimals with a point, no grouping: -0.5 -> "-0.50000".
QString SqlFloat(double value);

// ---- next free keys (select max + 1; not safe against two workstations, the primary key refuses the second)
// The next number of field in table within min..max; min == max means this year's yy0001..yy9999.
// A full range throws EDatabaseError with a Slovak message.
int NextNumber(const QString &table, const QString &field, int min = 0, int max = 0);
// The next prefix + four-digit key; an empty max means prefix + two-digit year, up to "9999".
// A full range throws EDatabaseError.
QString NextCode(const QString &table, const QString &field, const QString &prefix, const QString &max = QString());
// The next item number with the (trimmed) prefix after the numerically highest one, the width of its
// number part kept: V00123 -> V00124, V999 and V1000 -> V1001.
QString NextItemCode(const QString &prefix);
// Before a delete of an item row (items, products): an item with stock movements throws EDatabaseError,
// as the movements would be left naming no item.
void CheckItemHasNoMovements(const TDataSet *items);
// Before a post of an item row (items, products): a changed number of an item with movements throws
// EDatabaseError, as the movements would be left naming no item.
void CheckItemNumberKept(const TDataSet *items);

// ---- statements and selects, each on a query of its own (so they may run inside each other and while
// any list is open) on the base module's connection and transaction
// Runs a statement whose text holds colons that are no parameters.
void ExecSqlNoParams(const QString &sql);
// Runs a statement with positional parameters; the rows affected.
int ExecSqlParams(const QString &sql, const QVariantList &params = {});
// One value; with no row or a null, `fallback` when it is not 0 (else SelectValue's typed empty value).
QVariant SelectValueParams(const QString &sql, const QVariantList &params = {}, double fallback = 0);
// The first column of every row as text.
QStringList SelectColumnParams(const QString &sql, const QVariantList &params = {});

// ---- named auxiliary queries of DMZal
TxQuery *FindQuery(const QString &name);
TDataSource *FindDataSource(TDataSet *dataSet);
// Empty name: the scratch query DMZal->Query, which keeps its rows for the caller; else the named query,
// created on first use.
TxQuery *GetQuery(const QString &name);
// The named query opened on its first row with the SQL and parameters.
TxQuery *OpenQuery(const QString &sql, const QVariantList &params = {}, const QString &name = QString());
// The data source "DS" + name of a data set (no automatic editing), created on first use.
TDataSource *GetDataSource(TDataSet *dataSet);
TDataSource *OpenQueryDS(const QString &sql, const QVariantList &params = {}, const QString &name = QString());
QString CurrentUserName();
bool InTransaction();

// ---- files for other programs
// Opens a file or an address in the desktop's program for it; when the desktop has none, says so (the
// file stays where it was written).
void OpenOrSayWhy(const QString &fileOrUrl);

// ---- dates and numbers
// "dd/mm/yyyy" with the program's date separator.
QString DateStr(const QDate &date);
// The first and the last day of the date's month.
std::pair<QDate, QDate> MonthBounds(const QDate &date);
std::pair<QString, QString> MonthBoundsStr(const QDate &date);
std::pair<QDate, QDate> MonthBoundsYM(int year, int month);
// Money in the locale's currency layout with two decimals.
QString MoneyStr(double value);
// A job number as year/sequence: 260012 -> "26/0012", 1 -> "0/0001".
QString OrderNoStr(int orderNo);
// A typed job number: up to four digits get the current two-digit year in front ("15" -> "260015"),
// longer texts are padded to six digits; as printed, "26/0015", it is read as year/sequence ("260015").
QString NormalizeOrderNo(const QString &text);
// A job number typed as the program prints it or as digits: "26/0015" (also "26/15") and "260015" give
// 260015; blanks around it are skipped. Nothing for empty text, letters or any other shape.
std::optional<int> ParseOrderNo(const QString &text);
// The job number of typed text, 0 for a blank text; text that is no job number throws EConvertError with
// the Slovak message naming it, so a filter or a booking reading it stops before it changes anything.
int TypedOrderNo(const QString &text);
// Typed digits (blanks around them skipped) as a whole number; nothing for anything else.
std::optional<int> WholeNumber(const QString &text);
// The keys a job-number edit takes: up to `digits` digits, or year/sequence as printed (26/0015).
QValidator *NewOrderNoValidator(QObject *parent, int digits = 9);
// Text typed into a job-number field: blank clears it, else TypedOrderNo's number (26/0015 as printed).
void SetOrderNoText(TField *field, const QString &text);
// The whole number of typed text, 0 for a blank text; anything else throws EConvertError naming the
// field ("Os. číslo") and the text.
int TypedNumber(const QString &text, const QString &fieldName);
// 10 to the count; 1 for a count below 1.
qint64 TenPower(int count);
// Rounded to `decimals` places, halves to even: 0.125 -> 0.12, 0.375 -> 0.38.
double RoundDecimals(double value, int decimals);
bool IsWeekend(const QDate &date);
// A holiday's day in one form for comparing, "18.03": of a date, or of a stored day ("18.03", also "18/03");
// the user's date format plays no part. Empty for a stored text that is not two digits of each.
QString HolidayKey(const QDate &date);
QString HolidayKey(const QString &stored);
// Currency conversion by the home currency CurrencyCode, without rounding.
double HomeToForeign(double amount, double rate);
double ForeignToHome(double amount, double rate);
