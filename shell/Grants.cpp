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
};

const QString CenaKalk = QStringLiteral("Polozky_CENA_KALK");
const QString KalkZak = QStringLiteral("ZakKalk_KALKULACIA");
const QString KalkPol = QStringLiteral("Polozky_KALKULACIA");
const QString Poziadavky = QStringLiteral("MPoziadavky_PREPIS");

// The views go with the words whose tables they show to the forms that read them; the procedures with
// the words whose tables they write.
const QList<TGrantRow> &grantRows()
{
    static const QList<TGrantRow> rows{
        {{"Ciselniky"},
         {"CMaterialov", "CNakladov", "COperacii", "CProfesii", "CRezii", "CSkladov", "CStatov", "CSviatkov",
          "CTarifov", "CZamestnancov", "CStredisk", "CPracovisk", "CRozvrhov"},
         {}},
        {{"Uzivatelia"}, {"QUsers", "QPrivileges"}, {}},
        {{"Odbyt"},
         {"TKusovnik", "TOperacie", "Zakazky", "vZakazky", "ZakazkyD", "ZakZml", "ZakRek", "vZakazkyD", "vZakOperacie",
          "vSOdvody", "vEDListy", "vEDListyD", "Vyrobky"},
         {}},
        {{"Odbyt", "Odberatel"}, {"COdberatelov"}, {}},
        {{"Odbyt", "Kalkulacie"},
         {"vZakKalk", "ZakKalk", "ZakKalkD", "ZakOperacie", "ZakKusovnik", "vZakazkyDKalk"},
         {KalkZak}},
        {{"Odbyt", "Vyrobky"}, {"POLOZKY", "POLOZKYKALK", "Vyrobky"}, {CenaKalk, KalkPol}},
        {{"TPV"},
         {"POLOZKY", "TKusovnik", "TOperacie", "ZakOperacie", "ZakKusovnik", "Vyrobky", "vZakazkyD", "vZakOperacie",
          "vZakazkyDKalk", "vEDListyD"},
         {CenaKalk, KalkPol, KalkZak}},
        {{"Vyroba"},
         {"SVykony", "SOdvody", "SRV", "SPlan", "SPlanD", "ZakRek", "vZakazkyD", "vZakazkyDKalk", "vZakOperacie",
          "vSVykony", "vSOdvody"},
         {Poziadavky}},
        {{"Reklamacie"}, {"ZakRek", "vZakazkyD"}, {}},
        {{"Odvody"}, {"SOdvody", "vSOdvody", "vZakazkyD"}, {}},
        {{"Vykony"}, {"SVykony", "vSVykony", "vZakazkyD", "vZakOperacie"}, {}},
        {{"MTZ", "Sklady"},
         {"POLOZKY", "POLOZKYKOKILY", "MSklady", "MPohyby", "MDokladyCisla", "vZakazkyD", "vZakazkyDKalk"},
         {CenaKalk}},
        {{"MTZ", "Objednavky"},
         {"CDodavatelov", "MObjednavky", "MObjednavkyD", "MPoziadavky", "vZakazkyD"},
         {Poziadavky}},
        // The delivery notes are made out for orders: their headers are read, never changed there.
        {{"Expedicia"},
         {"EDListy", "EDListyD", "MSklady", "vEDListy", "vEDListyD", "vZakazkyD", "vZakazkyDKalk", "vSOdvody"},
         {},
         {"Zakazky"}},
        {{"Dochadzka"}, {"SDochadzka", "CZamestnancov", "vSVykony"}, {}},
        {{"Mzdy"}, {"SMzdy", "CZamestnancov", "vSVykony"}, {"SMzdy_Pocitaj"}},
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

QString procedurePattern(int level)
{
    switch (level) {
    case plAll:
        return QStringLiteral("grant EXECUTE ON PROCEDURE %1 to %2");
    case plAllWithGrant:
        return QStringLiteral("grant EXECUTE ON PROCEDURE %1 to %2 WITH GRANT OPTION");
    default:
        return QStringLiteral("revoke EXECUTE ON PROCEDURE %1 from %2");
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
    TLevels touchedTables, touchedProcedures, tables, procedures;
    for (const auto &[w, l] : expand(word, level))
        for (const TGrantRow &row : grantRows())
            if (covers(row, w)) {
                for (const QString &t : row.Tables + row.ReadTables)
                    touchedTables.raise(t, plNone);
                for (const QString &p : row.Procedures)
                    touchedProcedures.raise(p, plNone);
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
                }
    QStringList statements;
    for (const auto &[table, unused] : touchedTables.items) {
        statements << QStringLiteral("revoke ALL on %1 from %2").arg(table, user);
        const int l = tables.levelOf(table);
        if (l != plNone)
            statements << tablePattern(l).arg(table, user);
    }
    for (const auto &[procedure, unused] : touchedProcedures.items)
        statements << procedurePattern(procedures.levelOf(procedure)).arg(procedure, user);
    return statements;
}
