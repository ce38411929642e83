#include "Grants.h"

#include "platform/os/Exception.h"

#include <QRegularExpression>

namespace {

struct TGrantRow {
    QStringList Words;
    QStringList Tables;
    QStringList Procedures;
    // Objects the words only read: granted SELECT at most.
    QStringList ReadTables = {};
    // Sequences the words' forms draw numbers from (at "Všetko").
    QStringList Sequences = {};
};

const QString CenaKalk = QStringLiteral("Polozky_CENA_KALK");
const QString KalkZak = QStringLiteral("ZakKalk_KALKULACIA");
const QString KalkPol = QStringLiteral("Polozky_KALKULACIA");
const QString Poziadavky = QStringLiteral("MPoziadavky_PREPIS");

// The views go with the words whose tables they show to the forms that read them; the procedures with
// the words whose tables they write. The stock rows are kept by the movements' triggers alone, so every
// word that shows them only reads them.
const QList<TGrantRow> &grantRows()
{
    static const QList<TGrantRow> rows{
        {{"Ciselniky"},
         {"CMaterialov", "CNakladov", "COperacii", "CProfesii", "CRezii", "CSkladov", "CStatov", "CSviatkov",
          "CTarifov", "CZamestnancov", "CStredisk", "CPracovisk", "CRozvrhov"},
         {}},
        {{"Uzivatelia"}, {"QUsers", "QPrivileges"}, {}},
        // The internal orders show a job's movements, hand-overs and performances, and its costs' code lists.
        {{"Odbyt"},
         {"TKusovnik", "TOperacie", "Zakazky", "vZakazky", "ZakazkyD", "ZakZml", "ZakRek", "vZakazkyD", "vZakOperacie",
          "vSOdvody", "vEDListy", "vEDListyD", "Vyrobky"},
         {},
         {"MSklady", "MPohyby", "SOdvody", "SVykony", "CNakladov", "COperacii"}},
        {{"Odbyt", "Odberatel"}, {"COdberatelov"}, {}},
        {{"Odbyt", "Kalkulacie"},
         {"vZakKalk", "ZakKalk", "ZakKalkD", "ZakOperacie", "ZakKusovnik", "vZakazkyDKalk"},
         {KalkZak}},
        {{"Odbyt", "Vyrobky"}, {"POLOZKY", "POLOZKYKALK", "Vyrobky"}, {CenaKalk, KalkPol}},
        // The products' technology shows their stock, movements, calculations and the jobs made of them.
        {{"TPV"},
         {"POLOZKY", "POLOZKYKALK", "TKusovnik", "TOperacie", "ZakOperacie", "ZakKusovnik", "Vyrobky", "vZakazkyD",
          "vZakOperacie", "vZakazkyDKalk", "vEDListyD"},
         {CenaKalk, KalkPol, KalkZak},
         {"MSklady", "MPohyby", "Zakazky", "ZakazkyD"}},
        // Production plans and follows the jobs (their states are its to set, the production requests its to
        // handle), with their operations, calculations, stock, workplaces and calendar.
        {{"Vyroba"},
         {"SVykony", "SOdvody", "SRV", "SPlan", "SPlanD", "SPlanZamok", "ZakRek", "ZakazkyD", "MPoziadavky",
          "vZakazkyD", "vZakazkyDKalk", "vZakOperacie", "vSVykony", "vSOdvody"},
         {Poziadavky},
         {"ZakOperacie", "ZakKalk", "vZakKalk", "MSklady", "CPracovisk", "CSkladov", "CStredisk", "CSviatkov",
          "CRozvrhov", "CZamestnancov"}},
        {{"Reklamacie"}, {"ZakRek", "vZakazkyD"}, {}},
        {{"Odvody"}, {"SOdvody", "vSOdvody", "vZakazkyD"}, {}},
        {{"Vykony"},
         {"SVykony", "vSVykony", "vZakazkyD", "vZakOperacie"},
         {},
         {"ZakazkyD", "ZakOperacie", "ZakKalk", "POLOZKY", "CTarifov"}},
        {{"MTZ", "Sklady"},
         {"POLOZKY", "POLOZKYKOKILY", "MPohyby", "MDokladyCisla", "vZakazkyD", "vZakazkyDKalk"},
         {CenaKalk},
         {"MSklady", "CSkladov", "TKusovnik", "ZakazkyD", "SOdvody", "COdberatelov"},
         {"GEN_MPOHYBY"}},
        {{"MTZ", "Objednavky"},
         {"CDodavatelov", "MObjednavky", "MObjednavkyD", "MPoziadavky", "vZakazkyD"},
         {Poziadavky}},
        // The delivery notes are made out for orders: their headers and jobs are read, never changed there; so
        // is the finished-goods store, whose list shows the stock with its items and movements.
        {{"Expedicia"},
         {"EDListy", "EDListyD", "vEDListy", "vEDListyD", "vZakazkyD", "vZakazkyDKalk", "vSOdvody"},
         {},
         {"Zakazky", "ZakazkyD", "COdberatelov", "MSklady", "POLOZKY", "CSkladov", "MPohyby"}},
        {{"Dochadzka"}, {"SDochadzka", "CZamestnancov", "vSVykony"}, {}},
        // The wages are worked out from the month's attendance and performances, shown beside them.
        {{"Mzdy"}, {"SMzdy", "CZamestnancov", "vSVykony"}, {"SMzdy_Pocitaj"}, {"SDochadzka", "SVykony"}},
    };
    return rows;
}

const QString System = QStringLiteral("System");
const QStringList SystemPlain{QStringLiteral("Ciselniky"), QStringLiteral("Uzivatelia")};
const QStringList SystemMain{QStringLiteral("Odbyt"), QStringLiteral("Kalkulacie"), QStringLiteral("Vyroba"),
                             QStringLiteral("MTZ"),   QStringLiteral("Expedicia"),  QStringLiteral("Dochadzka"),
                             QStringLiteral("Mzdy")};

// The plain words (and their levels) a row stands for: "System" passes its level on to the code lists
// and the users, and all with the grant option (level 2) or nothing to the main modules.
TPrivilegeRows expand(const QString &word, int level)
{
    if (word.compare(System, Qt::CaseInsensitive) != 0)
        return {{word, level}};
    TPrivilegeRows rows;
    for (const QString &w : SystemPlain)
        rows.append({w, level});
    for (const QString &w : SystemMain)
        rows.append({w, level == plAll ? int(plAllWithGrant) : int(plNone)});
    return rows;
}

bool covers(const TGrantRow &row, const QString &word)
{
    return row.Words.contains(word, Qt::CaseInsensitive);
}

// Objects in the order first met, each with the highest level found for it.
struct TLevels {
    QList<QPair<QString, int>> items;
    void raise(const QString &object, int level)
    {
        for (auto &item : items)
            if (item.first.compare(object, Qt::CaseInsensitive) == 0) {
                item.second = qMax(item.second, level);
                return;
            }
        items.append({object, level});
    }
    int levelOf(const QString &object) const
    {
        for (const auto &item : items)
            if (item.first.compare(object, Qt::CaseInsensitive) == 0)
                return item.second;
        return plNone;
    }
};

QString tablePattern(int level)
{
    switch (level) {
    case plRead:
        return QStringLiteral("grant SELECT on %1 to %2");
    case plAll:
        return QStringLiteral("grant ALL on %1 to %2");
    case plAllWithGrant:
        return QStringLiteral("grant ALL on %1 to %2 WITH GRANT OPTION");
    default:
        return QStringLiteral("revoke ALL on %1 from %2");
    }
}

// The statement of a right on a procedure ("EXECUTE ON PROCEDURE") or a sequence ("USAGE ON SEQUENCE"): given
// at "Všetko", passed on with the grant option at level 3, taken back below.
QString rightPattern(int level, const char *rightOn)
{
    const QString right = QLatin1String(rightOn);
    switch (level) {
    case plAll:
        return QStringLiteral("grant ") + right + QStringLiteral(" %1 to %2");
    case plAllWithGrant:
        return QStringLiteral("grant ") + right + QStringLiteral(" %1 to %2 WITH GRANT OPTION");
    default:
        return QStringLiteral("revoke ") + right + QStringLiteral(" %1 from %2");
    }
}

} // namespace

const QString InvalidUserNameText = QString::fromUtf8(
    "Meno užívateľa musí začínať písmenom a môže obsahovať len písmená bez diakritiky, číslice, _ a $ "
    "(najviac 31 znakov).");

QString PrivilegeLevelText(int level)
{
    switch (level) {
    case plNone:
        return QString::fromUtf8("Nič   ");
    case plRead:
        return QString::fromUtf8("Čítať ");
    case plAll:
        return QString::fromUtf8("Všetko");
    default:
        return QStringLiteral("?    ");
    }
}

int PrivilegeLevelOf(const QString &text)
{
    const QString t = text.trimmed();
    for (int level : {plNone, plRead, plAll})
        if (t == PrivilegeLevelText(level).trimmed())
            return level;
    return -1;
}

bool IsValidUserName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("\\A[A-Za-z][A-Za-z0-9_$]{0,30}\\z"));
    return pattern.match(name).hasMatch();
}

const QList<QPair<QString, QString>> &ModuleWords()
{
    static const QList<QPair<QString, QString>> words{
        {"System", QString::fromUtf8("Administrácia")},
        {"Ciselniky", QString::fromUtf8("Administrácia/Číselníky")},
        {"Uzivatelia", QString::fromUtf8("Administrácia/Užívatelia")},
        {"Odbyt", QStringLiteral("ODBYT")},
        {"Odberatel", QStringLiteral("Odbyt/Odberatelia")},
        {"Vyrobky", QString::fromUtf8("Odbyt/Výrobky")},
        {"Kalkulacie", QString::fromUtf8("Odbyt/Kalkulácie")},
        {"TPV", QStringLiteral("TPV")},
        {"Vyroba", QString::fromUtf8("VÝROBA")},
        {"Vykony", QString::fromUtf8("Vyroba/Výkony")},
        {"Odvody", QStringLiteral("Vyroba/Odvody")},
        {"Reklamacie", QString::fromUtf8("Vyroba/Reklamácie")},
        {"MTZ", QStringLiteral("MTZ")},
        {"Sklady", QStringLiteral("MTZ/Sklady")},
        {"Objednavky", QString::fromUtf8("MTZ/Objednávky")},
        {"Expedicia", QString::fromUtf8("EXPEDÍCIA")},
        {"Dochadzka", QString::fromUtf8("Dochádzka")},
        {"Mzdy", QStringLiteral("Mzdy")},
    };
    return words;
}

QStringList GrantStatements(const QString &user, const QString &word, int level, const TPrivilegeRows &rows)
{
    if (user.compare(QLatin1String("SYSDBA"), Qt::CaseInsensitive) == 0)
        return {};
    if (!IsValidUserName(user))
        throw EDatabaseError(InvalidUserNameText);
    // What the changed row covers, and the highest level every row of the user gives each object.
    TLevels touchedTables, touchedProcedures, touchedSequences, tables, procedures, sequences;
    for (const auto &[w, l] : expand(word, level))
        for (const TGrantRow &row : grantRows())
            if (covers(row, w)) {
                for (const QString &t : row.Tables + row.ReadTables)
                    touchedTables.raise(t, plNone);
                for (const QString &p : row.Procedures)
                    touchedProcedures.raise(p, plNone);
                for (const QString &q : row.Sequences)
                    touchedSequences.raise(q, plNone);
            }
    TPrivilegeRows all;
    for (const auto &r : rows)
        if (r.first.compare(word, Qt::CaseInsensitive) != 0)
            all.append(r);
    all.append({word, level});
    for (const auto &[rowWord, rowLevel] : all)
        for (const auto &[w, l] : expand(rowWord, rowLevel))
            for (const TGrantRow &row : grantRows())
                if (covers(row, w)) {
                    for (const QString &t : row.Tables)
                        tables.raise(t, l);
                    for (const QString &t : row.ReadTables)
                        tables.raise(t, qMin(l, int(plRead)));
                    for (const QString &p : row.Procedures)
                        procedures.raise(p, l);
                    for (const QString &q : row.Sequences)
                        sequences.raise(q, l);
                }
    QStringList statements;
    for (const auto &[table, unused] : touchedTables.items) {
        statements << QStringLiteral("revoke ALL on %1 from %2").arg(table, user);
        const int l = tables.levelOf(table);
        if (l != plNone)
            statements << tablePattern(l).arg(table, user);
    }
    for (const auto &[procedure, unused] : touchedProcedures.items)
        statements << rightPattern(procedures.levelOf(procedure), "EXECUTE ON PROCEDURE").arg(procedure, user);
    for (const auto &[sequence, unused] : touchedSequences.items)
        statements << rightPattern(sequences.levelOf(sequence), "USAGE ON SEQUENCE").arg(sequence, user);
    return statements;
}
