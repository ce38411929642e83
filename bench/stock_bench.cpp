// The stores on a large database: 1,000,000 stock movements over 5,000 items and 10 stores. The stock of
// one store as of a date through the material data module (the stores form's query, every field read)
// against the same statement through a plain client (prepared once on a warm attachment, every value decoded);
// and one item's stock card (its movements, newest first, as the item list and the stores form show them) the
// same way. Processor time: the stock the best of three, the card the median of many turns. The plans go to stderr.
// Usage: stock_bench [path of database/create.sh]
#include "BareSql.h"
#include "BenchTiming.h"
#include "ProgramDatabase.h"
#include "library/xQuery.h"
#include "material/DMMTZ.h"
#include "material/MTZSql.h"
#include "platform/fbapi/Attachment.h"
#include "platform/fbapi/ParamParser.h"
#include "platform/fbapi/Statement.h"
#include "platform/fbapi/Transaction.h"
#include "platform/os/IniFile.h"
#include "shell/DMZal.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kMovements = 1000000;
constexpr int kItems = 5000;
constexpr int kStores = 10;
const QDate kAsOf(2026, 6, 30);
const QString kStore = QStringLiteral("S03");
const QString kItem = QStringLiteral("M01234");
constexpr int kCardRounds = 1001;

// Items, stores and movements spread over 2026; the stock rows summed from the movements at once
// (the movement triggers are off while filling).
void fill(const QString &path)
{
    fb::Attachment att;
    att.attach(path, fb::ConnectParams::fromLines({"user_name=SYSDBA", "lc_ctype=WIN1250"}));
    for (int s = 1; s <= kStores; ++s)
        att.executeImmediate(QStringLiteral("insert into CSKLADOV (SKLAD, NAZOV_SKLADU, TYP_SKLADU) values "
                                            "('S%1', 'Sklad %2', 'M')")
                                 .arg(s, 2, 10, QLatin1Char('0'))
                                 .arg(s));
    att.executeImmediate(
        QStringLiteral(
            "execute block as declare i integer = 1; begin while (i <= %1) do begin "
            "insert into POLOZKY (C_POL, TYP1, TYP2, NAZOV, ROZMER, MJ, CENA_NAKL, VAHA1) values "
            "('M' || lpad(:i, 5, '0'), 'M', 'P', 'Materiál ' || :i, 'D' || mod(:i, 40), 'KG', 1 + mod(:i, 17), "
            "0.5 + mod(:i, 7)); i = i + 1; end end")
            .arg(kItems));
    for (const char *trigger : {"MPOHYBY_AI", "MPOHYBY_AU", "MPOHYBY_AD"})
        att.executeImmediate(QStringLiteral("alter trigger %1 inactive").arg(QLatin1String(trigger)));
    att.executeImmediate(
        QStringLiteral(
            "execute block as declare i integer = 1; declare k integer; begin while (i <= %1) do begin "
            "k = mod(:i * 7, 12); "
            "insert into MPOHYBY (ID_POHYBU, DATUM, C_DOKLADU, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO, CENA_NAKL, "
            "STREDISKO, "
            "C_INT, MNOZ_VYR) values (:i, dateadd(mod(:i, 365) day to date '2026-01-01'), 2601000 + mod(:i, 999), "
            "case when :k < 6 then 10 else 22 end, 'S' || lpad(1 + mod(:i / %2, %3), 2, '0'), "
            "'M' || lpad(1 + mod(:i, %2), 5, '0'), case when :k < 6 then 5 else -3 end, 2.5, ' ', 0, 0); "
            "i = i + 1; end end")
            .arg(kMovements)
            .arg(kItems)
            .arg(kStores));
    att.executeImmediate(QStringLiteral("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO, MNOZ_VYDV, MNOZ_VYDO) "
                                        "select C_POL, SKLAD, sum(MNOZSTVO), 0, 0 from MPOHYBY group by C_POL, SKLAD"));
    for (const char *trigger : {"MPOHYBY_AI", "MPOHYBY_AU", "MPOHYBY_AD"})
        att.executeImmediate(QStringLiteral("alter trigger %1 active").arg(QLatin1String(trigger)));
    att.executeImmediate(QStringLiteral("set statistics index IX_MPOHYBY_POL"));
    att.executeImmediate(QStringLiteral("set statistics index IX_MPOHYBY_DATUM"));
    att.detach();
}

// The statement through a plain client on its own warm attachment: prepared once outside the timer, then
// bound, opened and every row fetched with every value decoded, as the form reads them.
double plain(TBareSql &sql, const QString &text, const TBareSql::TArgs &args, long *rows)
{
    const double start = CpuMs();
    *rows = long(sql.Rows(text, args).size());
    const double ms = CpuMs() - start;
    sql.CommitRetaining();
    return ms;
}

// Every field of every row, as the grid and the prints read them.
long readAll(TDataSet &ds)
{
    long n = 0;
    for (ds.First(); !ds.Eof(); ds.Next(), ++n)
        for (int f = 0; f < ds.FieldCount(); ++f)
            if (ds.Fields(f)->DataType() != ftBlob && ds.Fields(f)->DataType() != ftGraphic)
                (void)ds.Fields(f)->Value();
    return n;
}

double stockForm(long *rows)
{
    const double start = CpuMs();
    DMMTZ->OpenStockAsOfDate(QStringLiteral("M"), kAsOf, QStringLiteral("MSKLADY.SKLAD='%1'").arg(kStore));
    *rows = readAll(DMMTZ->QvMSklady);
    const double ms = CpuMs() - start;
    DMMTZ->QvMSklady.Close();
    return ms;
}

double cardForm(long *rows)
{
    TxQuery &q = DMZal->Query1;
    const double start = CpuMs();
    q.Close();
    q.SQL().SetText(MTZSql::ItemMovements);
    q.ParamByName(QStringLiteral("c_pol")).SetValue(kItem);
    q.Open();
    *rows = readAll(q);
    const double ms = CpuMs() - start;
    q.Close();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const std::unique_ptr<TDMZal> program = OpenProgramDatabase("stock_bench", argc, argv, folder.path(), false, fill);
    if (!program)
        return 1;
    TDMZal &dm = *program;
    const QString database = QDir(folder.path()).filePath(QStringLiteral("TarvDB.fdb"));
    TDMMTZ mtz;

    QStringList stockLines = MTZSql::StockAsOfDateSql;
    stockLines[3] = QStringLiteral("where MSKLADY.SKLAD='%1' ").arg(kStore);
    const QString stockSql = stockLines.join(QLatin1Char('\n'));
    const TBareSql::TArgs stockParams{{QStringLiteral("typ_skladu"), QStringLiteral("M")},
                                      {QStringLiteral("kdatumu"), kAsOf}};
    const TBareSql::TArgs cardParams{{QStringLiteral("c_pol"), kItem}};
    TBareSql bare(database);

    // Warm-up, and the plans.
    long formRows = 0, rawRows = 0, cardRows = 0, rawCardRows = 0;
    stockForm(&formRows);
    DMMTZ->OpenStockAsOfDate(QStringLiteral("M"), kAsOf, QStringLiteral("MSKLADY.SKLAD='%1'").arg(kStore));
    std::fprintf(stderr, "stock plan: %s\n", qPrintable(DMMTZ->QvMSklady.Plan()));
    DMMTZ->QvMSklady.Close();
    cardForm(&cardRows);
    dm.Query1.SQL().SetText(MTZSql::ItemMovements);
    dm.Query1.Prepare();
    std::fprintf(stderr, "stock card plan: %s\n", qPrintable(dm.Query1.Plan()));
    plain(bare, stockSql, stockParams, &rawRows);
    plain(bare, MTZSql::ItemMovements, cardParams, &rawCardRows);

    double form = 1e18, query = 1e18;
    for (int i = 0; i < 3; ++i) {
        form = std::min(form, stockForm(&formRows));
        query = std::min(query, plain(bare, stockSql, stockParams, &rawRows));
    }
    // The card is small, and whichever side runs right after the large stores query pays for what that
    // query left behind: its two sides take turns going first, many times, and each side's median counts.
    std::vector<double> cards, cardQueries;
    for (int i = 0; i < kCardRounds; ++i) {
        if (i % 2 == 0)
            cards.push_back(cardForm(&cardRows));
        cardQueries.push_back(plain(bare, MTZSql::ItemMovements, cardParams, &rawCardRows));
        if (i % 2 == 1)
            cards.push_back(cardForm(&cardRows));
    }
    const double card = Median(cards), cardQuery = Median(cardQueries);
    std::fprintf(stderr, "rows: stock %ld, stock card %ld\n", formRows, cardRows);
    if (formRows != rawRows || cardRows != rawCardRows)
        std::fprintf(stderr, "rows differ: stock %ld/%ld, card %ld/%ld\n", formRows, rawRows, cardRows, rawCardRows);
    std::printf("stock card: %.1f ms, query %.1f ms, ratio %.2f\n", card, cardQuery, card / cardQuery);
    std::printf("stock: the stores form's stock of a store against its statement prepared on a warm attachment, "
                "every value decoded (%d movements): form %.1f ms, query %.1f ms, ratio %.2f\n",
                kMovements, form, query, form / query);
    return 0;
}
