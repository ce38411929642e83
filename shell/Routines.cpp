#include "Routines.h"

#include "DMZal.h"
#include "ZalSql.h"
#include "platform/db/Field.h"
#include "platform/os/Clock.h"
#include "platform/os/Exception.h"
#include "platform/os/Folders.h"
#include "platform/os/Format.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

TDMZal &baseModule()
{
    if (!DMZal)
        throw EDatabaseError(QString::fromUtf8("Základný dátový modul nie je vytvorený."));
    return *DMZal;
}

// A query of its own for one statement, on the one connection and transaction: the routines may then
// run inside each other, from data set events and while any list is open, and no call leaves rows or
// parameters for the next.
class TShortLivedQuery : public TxQuery {
public:
    TShortLivedQuery()
    {
        Name = QStringLiteral("Query");
        SetDatabase(&baseModule().DBZAL);
    }
};

// The digits of a key's number part; anything else than digits gives 0.
qint64 numberPart(const QString &text)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    return ok ? n : 0;
}

QString twoDigitYear()
{
    return FormatDateTime(QStringLiteral("yy"), Date());
}

// The highest key of field in table between low and high.
QVariant highestKey(const QString &table, const QString &field, const QVariant &low, const QVariant &high)
{
    TShortLivedQuery q;
    return q.SelectValue(ZalSql::HighestKey.arg(field, table), {low, high});
}

[[noreturn]] void rangeExhausted(const QString &table, const QString &from, const QString &to)
{
    throw EDatabaseError(QString::fromUtf8("Číselný rad %1 až %2 v tabuľke %3 je vyčerpaný, ďalšie voľné číslo "
                                           "neexistuje !")
                             .arg(from, to, table.toUpper()));
}

} // namespace

// ---------------------------------------------------------------- SQL literals

QString SqlDate(const QDate &date)
{
    return QLatin1Char('\'') + date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
}

QString SqlDateStr(const QString &text)
{
    return SqlDate(StrToDate(text));
}

QString SqlFloat(double value)
{
    return FormatFloat(QStringLiteral("########0.00000"), value, InvariantFormatSettings());
}

// ---------------------------------------------------------------- next free keys

int NextNumber(const QString &table, const QString &field, int min, int max)
{
    if (min == max) {
        min = Date().year() % 100 * 10000 + 1;
        max = min + 9998;
    }
    const qint64 highest = highestKey(table, field, min, max).toLongLong();
    if (highest == 0)
        return min;
    if (highest >= max)
        rangeExhausted(table, QString::number(min), QString::number(max));
    return int(highest + 1);
}

QString NextCode(const QString &table, const QString &field, const QString &prefix, const QString &max)
{
    QString low = prefix;
    QString high = max;
    if (high.isEmpty()) {
        low += twoDigitYear();
        high = low + QStringLiteral("9999");
    }
    const QString highest = highestKey(table, field, low, high).toString();
    if (highest.isEmpty())
        return low + QStringLiteral("0001");
    const qint64 next = numberPart(highest.right(4)) + 1;
    if (next > 9999)
        rangeExhausted(table, low + QStringLiteral("0001"), high);
    return highest.left(highest.size() - 4) + QString::number(next).rightJustified(4, QLatin1Char('0'));
}

QString NextItemCode(const QString &prefix)
{
    const QString p = prefix.trimmed();
    TShortLivedQuery q;
    // The highest by number, not by text (V1000 follows V999); among equal numbers the widest code. The
    // prefix is bound and matched with STARTING WITH, so neither an apostrophe nor a LIKE wildcard in it
    // counts.
    const QVariant highest = q.SelectValue(ZalSql::LargestItemCode, {p, int(p.size()) + 1, int(p.size()) + 1});
    const QString digits = highest.toString().mid(p.size(), 15).trimmed();
    const qint64 next = numberPart(digits) + 1;
    return p + QString::number(next).rightJustified(digits.size(), QLatin1Char('0'));
}

namespace {
bool itemHasMovements(const QString &item)
{
    TShortLivedQuery q;
    return q.SelectValue(ZalSql::ItemMovementCount, {item}).toInt() > 0;
}
} // namespace

void CheckItemHasNoMovements(const TDataSet *items)
{
    if (itemHasMovements(items->FieldByName(QStringLiteral("C_POL"))->AsString()))
        throw EDatabaseError(QString::fromUtf8("Položku nie je možné zmazať, pretože má pohyby na sklade !"));
}

void CheckItemNumberKept(const TDataSet *items)
{
    if (items->State() != dsEdit)
        return;
    const TField *number = items->FieldByName(QStringLiteral("C_POL"));
    const QString stored = number->OldValue().toString();
    if (stored.trimmed() != number->AsString().trimmed() && itemHasMovements(stored))
        throw EDatabaseError(QString::fromUtf8("Číslo položky, ktorá má pohyby na sklade, nie je možné zmeniť !"));
}

// ---------------------------------------------------------------- statements and selects

void ExecSqlNoParams(const QString &sql)
{
    TShortLivedQuery q;
    q.SQL().SetText(sql);
    q.ExecSQL();
}

int ExecSqlParams(const QString &sql, const QVariantList &params)
{
    TShortLivedQuery q;
    return q.ExecSql(sql, params);
}

QVariant SelectValueParams(const QString &sql, const QVariantList &params, double fallback)
{
    TShortLivedQuery q;
    const QVariant value = q.SelectValue(sql, params);
    if (fallback != 0 && (q.IsEmpty() || q.FieldCount() == 0 || q.Fields(0)->IsNull()))
        return fallback;
    return value;
}

QStringList SelectColumnParams(const QString &sql, const QVariantList &params)
{
    TShortLivedQuery q;
    q.SelectValue(sql, params);
    TStringList values;
    q.FillStringsFromDataSet(values);
    return values.Lines();
}

TxQuery *FindQuery(const QString &name)
{
    return DMZal ? DMZal->FindQuery(name) : nullptr;
}

TDataSource *FindDataSource(TDataSet *dataSet)
{
    return DMZal ? DMZal->FindDataSource(dataSet) : nullptr;
}

TxQuery *GetQuery(const QString &name)
{
    return baseModule().GetQuery(name);
}

TxQuery *OpenQuery(const QString &sql, const QVariantList &params, const QString &name)
{
    TxQuery *q = GetQuery(name);
    q->SelectValue(sql, params);
    return q;
}

TDataSource *GetDataSource(TDataSet *dataSet)
{
    return baseModule().GetDataSource(dataSet);
}

TDataSource *OpenQueryDS(const QString &sql, const QVariantList &params, const QString &name)
{
    return GetDataSource(OpenQuery(sql, params, name));
}

QString CurrentUserName()
{
    return DMZal ? DMZal->CurrentUserName() : QString();
}

bool InTransaction()
{
    return DMZal && DMZal->InTransaction();
}

// ---------------------------------------------------------------- dates and numbers

QString DateStr(const QDate &date)
{
    return FormatDateTime(QStringLiteral("dd/mm/yyyy"), date);
}

QString HolidayKey(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM"));
}

QString HolidayKey(const QString &stored)
{
    // Two digits of the day, a separator, two digits of the month: "18.03" ("18/03" where it was typed so).
    const QString day = stored.left(5);
    if (day.size() != 5 || !day[0].isDigit() || !day[1].isDigit() || day[2].isDigit() || !day[3].isDigit() ||
        !day[4].isDigit())
        return QString();
    return day.left(2) + QLatin1Char('.') + day.mid(3, 2);
}

std::pair<QDate, QDate> MonthBounds(const QDate &date)
{
    const QDate first(date.year(), date.month(), 1);
    return {first, first.addMonths(1).addDays(-1)};
}

std::pair<QString, QString> MonthBoundsStr(const QDate &date)
{
    const auto [first, last] = MonthBounds(date);
    return {DateStr(first), DateStr(last)};
}

std::pair<QDate, QDate> MonthBoundsYM(int year, int month)
{
    return MonthBounds(QDate(year, month, 1));
}

QString MoneyStr(double value)
{
    TFormatSettings settings = FormatSettings();
    settings.CurrencyDecimals = 2;
    return Format(QStringLiteral("%m"), {value}, settings);
}

QString OrderNoStr(int orderNo)
{
    return FormatFloat(QStringLiteral("#0\"/\"0000"), orderNo);
}

QString NormalizeOrderNo(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QString();
    if (t.contains(QLatin1Char('/'))) { // as the program prints it: 26/0015
        const std::optional<int> job = ParseOrderNo(t);
        return job ? QString::number(*job).rightJustified(6, QLatin1Char('0')) : t;
    }
    if (t.size() > 4)
        return t.rightJustified(6, QLatin1Char('0'));
    return twoDigitYear() + t.rightJustified(4, QLatin1Char('0'));
}

std::optional<int> ParseOrderNo(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^(?:([0-9]{1,2})/([0-9]{1,4})|([0-9]{1,9}))$"));
    const QRegularExpressionMatch m = shape.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    if (m.capturedLength(3) > 0)
        return m.captured(3).toInt();
    return m.captured(1).toInt() * 10000 + m.captured(2).toInt();
}

int TypedOrderNo(const QString &text)
{
    if (text.trimmed().isEmpty())
        return 0;
    const std::optional<int> job = ParseOrderNo(text);
    if (!job)
        throw EConvertError(QString::fromUtf8("„%1“ nie je číslo zákazky (napr. 26/0015).").arg(text.trimmed()));
    return *job;
}

QValidator *NewOrderNoValidator(QObject *parent, int digits)
{
    return new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}|[0-9]{1,2}/[0-9]{0,4}").arg(digits)), parent);
}

void SetOrderNoText(TField *field, const QString &text)
{
    field->SetValue(text.trimmed().isEmpty() ? QVariant() : QVariant(TypedOrderNo(text)));
}

std::optional<int> WholeNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    const QString t = text.trimmed();
    if (!digits.match(t).hasMatch())
        return std::nullopt;
    return t.toInt();
}

int TypedNumber(const QString &text, const QString &fieldName)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    const std::optional<int> n = WholeNumber(t);
    if (!n)
        throw EConvertError(QString::fromUtf8("%1: „%2“ nie je číslo.").arg(fieldName, t));
    return *n;
}

qint64 TenPower(int count)
{
    qint64 result = 1;
    for (int i = 0; i < count && i < 18; ++i)
        result *= 10;
    return result;
}

double RoundDecimals(double value, int decimals)
{
    return RoundHalfEven(value, decimals < 1 ? 0 : decimals);
}

bool IsWeekend(const QDate &date)
{
    return date.dayOfWeek() >= 6;
}

double HomeToForeign(double amount, double rate)
{
    if (rate == 0)
        return 0;
    return CurrencyCode == QLatin1String("CZK") ? amount / rate : amount * rate;
}

double ForeignToHome(double amount, double rate)
{
    if (CurrencyCode == QLatin1String("CZK"))
        return amount * rate;
    return rate > 0 ? amount / rate : amount;
}

void OpenOrSayWhy(const QString &fileOrUrl)
{
    if (OpenInDesktop(fileOrUrl))
        return;
    if (!QFileInfo::exists(fileOrUrl)) {
        ShowError(QString::fromUtf8("Adresu %1 nie je čím otvoriť: na tomto počítači nie je program, ktorý ju "
                                    "otvára.")
                      .arg(fileOrUrl));
        return;
    }
    const QFileInfo file(fileOrUrl);
    ShowError(QString::fromUtf8("Súbor %1 je uložený, ale na tomto počítači nie je program, ktorý otvára súbory "
                                ".%2.")
                  .arg(QDir::toNativeSeparators(file.absoluteFilePath()), file.suffix()));
}
