// The database as an ordinary user sees it: a user holding only the grants of one module word
// (what the users form grants for it, at level "Všetko") does that module's main saves, including what
// the server's triggers and procedures write on his behalf, and reads and changes nothing of the other
// modules; every user reads and changes only his own messages; only "System" users change privileges.
#include "common/TempDatabase.h"
#include "dispatch/ExpSql.h"
#include "material/MTZSql.h"
#include "platform/fb/IBCustomDataSet.h"
#include "platform/fbapi/Attachment.h"
#include "platform/fbapi/IBError.h"
#include "production/MzdySql.h"
#include "production/SprievodkaSql.h"
#include "production/VykSql.h"
#include "production/VyrobaSql.h"
#include "sales/OdbytSql.h"
#include "sales/TPVSql.h"
#include "shell/Grants.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A connection as one user: the embedded engine takes the name as given and checks its privileges.
// Each statement runs in its own committed transaction.
class UserConnection {
public:
    UserConnection(const QString &path, const QString &user) : tr_(&db_)
    {
        db_.DatabaseName = path;
        db_.Params.SetValue(QStringLiteral("user_name"), user);
        db_.SetDefaultTransaction(&tr_);
        db_.Open();
    }
    void exec(const QString &sql) { db_.Attachment().executeImmediate(sql); }
    QVariant value(const QString &sql)
    {
        TIBQuery q;
        q.SetDatabase(&db_);
        q.SQL().SetText(sql);
        q.Open();
        const QVariant v = q.IsEmpty() ? QVariant() : q.Fields(0)->Value();
        q.Close();
        return v;
    }
    double number(const QString &sql) { return value(sql).toDouble(); }
    // Prepares a statement: the server checks the rights it needs then. Returns the server's refusal (its own
    // words), if any,
    // and whether the statement reads (a select) in reads.
    QString prepareProblem(const QString &sql, bool *reads = nullptr)
    {
        TIBQuery q;
        q.SetDatabase(&db_);
        q.SQL().SetText(sql);
        try {
            q.Prepare();
        } catch (const EIBError &e) {
            return e.ServerMessage;
        }
        if (reads)
            *reads = sql.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive);
        return QString();
    }

private:
    TIBDatabase db_;
    TIBTransaction tr_;
};

class ModuleGrants : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(db_.path().isEmpty()) << "template database missing";
        UserConnection admin(db_.path(), "SYSDBA");
        // A product with its material, a store, a customer, an order with one job and its calculation.
        admin.exec("insert into CSKLADOV (SKLAD, NAZOV_SKLADU) values ('H1', 'Hotové výrobky')");
        admin.exec("insert into CMATERIALOV (MATERIAL, CENA_MAT) values ('GG20', 1.5)");
        admin.exec(
            "insert into POLOZKY (C_POL, TYP1, NAZOV, MATERIAL, VAHA1) values ('V1', 'V', 'Teleso', 'GG20', 10)");
        admin.exec("insert into POLOZKY (C_POL, TYP1, NAZOV) values ('M1', 'M', 'Piesok')");
        admin.exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (1, 'Zlieváreň')");
        admin.exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, D_OBJ, D_VYSTAV) values ('ZAK260001', 'Z', 1, "
                   "CURRENT_DATE, CURRENT_DATE)");
        admin.exec("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, MNOZ_VYR, STAV_ZAK) values (1, 'ZAK260001', "
                   "'V1', 10, 10, 5)");
        admin.exec("insert into ZAKKALK (C_INT, MATERIAL, VAHA1, CENA_MAT, NAKL1) values (1, 'GG20', 10, 1.5, 40)");
        admin.exec("insert into CZAMESTNANCOV (OSC, PRIEZVISKO, MENO, TARIF) values (7, 'Šimko', 'Ján', 'T1')");
    }

    // Grants what the users form grants for the word at the level ("Všetko" unless told).
    void grantModule(const QString &user, const QString &word, int level = plAll)
    {
        UserConnection admin(db_.path(), "SYSDBA");
        for (const QString &sql : GrantStatements(user, word, level, {}))
            admin.exec(sql);
    }

    // Connects as a user holding only the word's grants.
    std::unique_ptr<UserConnection> as(const QString &user, const QString &word, int level = plAll)
    {
        grantModule(user, word, level);
        return std::make_unique<UserConnection>(db_.path(), user);
    }
    double adminNumber(const QString &sql) { return UserConnection(db_.path(), "SYSDBA").number(sql); }
    QVariant adminValue(const QString &sql) { return UserConnection(db_.path(), "SYSDBA").value(sql); }

    TempDatabase db_;
};

} // namespace

// Without any grant an ordinary user really is refused: the checks below test the grants, not a
// connection that bypasses them. He reads the users, the privileges and his messages, nothing else.
TEST_F(ModuleGrants, AUserWithoutGrantsIsRefused)
{
    UserConnection nobody(db_.path(), "NIKTO");
    EXPECT_THROW(nobody.exec("insert into MPOHYBY (DATUM, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO) "
                             "values (CURRENT_DATE, 10, 'H1', 'M1', 5)"),
                 EDatabaseError);
    EXPECT_THROW(nobody.value("select count(*) from POLOZKY"), EDatabaseError);
    for (const char *sql :
         {"select count(*) from ZAKAZKY", "select count(*) from VSVYKONY", "select sum(MZD1) from VSODVODY",
          "select count(*) from VZAKAZKYDKALK", "select count(*) from VZAKAZKYD", "select count(*) from VEDLISTY",
          "select count(*) from VEDLISTYD", "select count(*) from VZAKOPERACIE", "select count(*) from VYROBKY",
          "select count(*) from QMESSAGE_ROWS"})
        EXPECT_THROW(nobody.value(sql), EDatabaseError) << sql;
    for (const char *sql : {"update ZAKAZKY set POZNAMKA='x'", "delete from ZAKAZKY where TYP_OBJ='P'",
                            "execute procedure MPOZIADAVKY_PREPIS", "execute procedure POLOZKY_CENA_KALK 'V1', 1",
                            "execute procedure ZAKKALK_KALKULACIA 1"})
        EXPECT_THROW(nobody.exec(sql), EDatabaseError) << sql;
    EXPECT_EQ(nobody.number("select count(*) from QUSERS"), 0);
    EXPECT_EQ(nobody.number("select count(*) from QACTIONS"), 0);
    EXPECT_EQ(nobody.number("select count(*) from QPRIVILEGES"), 0);
    // What every user needs: his messages, numbered by their trigger alone; the numbering is nobody's to move.
    EXPECT_NO_THROW(nobody.exec("insert into QMESSAGES (MSG_USER, MSG_TITLE) values ('JANO', 'Ahoj')"));
    for (const char *sql : {"insert into QMESSAGES (MSG_ID, MSG_USER) values (GEN_ID(MSG_ID, -1000), 'JANO')",
                            "select GEN_ID(MSG_ID, -1000) from RDB$DATABASE", "alter sequence MSG_ID restart with 0",
                            "set generator MSG_ID to 0"})
        EXPECT_THROW(nobody.exec(sql), EDatabaseError) << sql;
}

// A user reads the messages addressed to him or sent by him; what was sent stays as sent, whoever tries,
// and only the addressee stamps it received or handled.
TEST_F(ModuleGrants, MessagesCannotBeForged)
{
    UserConnection jano(db_.path(), "JANO");
    UserConnection fero(db_.path(), "FERO");
    UserConnection mara(db_.path(), "MARA");
    UserConnection admin(db_.path(), "SYSDBA");
    admin.exec("insert into QMESSAGES (MSG_USER, MSG_TITLE, MSG_TEXT, USR_VYSTAV, D_VYSTAV) "
               "values ('FERO', 'Pokyn', 'Text', 'PREDAJ', timestamp '2026-01-05 08:00:00')");
    EXPECT_EQ(admin.number("select count(*) from QMESSAGES where USR_VYSTAV = 'PREDAJ' and "
                           "D_VYSTAV = timestamp '2026-01-05 08:00:00'"),
              1)
        << "data loaded by SYSDBA keep their sender and date";
    // A new message of a user: numbered, dated and signed by the server, neither received nor handled.
    jano.exec(QString::fromUtf8(
        "insert into QMESSAGES (MSG_ID, MSG_USER, MSG_TITLE, USR_VYSTAV, D_VYSTAV, D_PRIJMU, D_VYBAV, "
        "USR_VYBAV) values (1, 'FERO', 'Faloš', 'SYSDBA', timestamp '2020-01-01 00:00:00', "
        "CURRENT_TIMESTAMP, CURRENT_TIMESTAMP, 'FERO')"));
    EXPECT_EQ(admin.number("select count(*) from QMESSAGES where MSG_ID = 2 and USR_VYSTAV = 'JANO' and "
                           "D_VYSTAV > timestamp '2026-01-01 00:00:00' and D_PRIJMU is null and D_VYBAV is null "
                           "and USR_VYBAV is null"),
              1);
    EXPECT_EQ(jano.number("select count(*) from QMESSAGES"), 1) << "the sender sees what he sent";
    EXPECT_EQ(fero.number("select count(*) from QMESSAGES where MSG_USER=USER"), 2);
    EXPECT_EQ(mara.number("select count(*) from QMESSAGES"), 0) << "nor reads another's";

    struct Attempt {
        UserConnection *who;
        const char *sql;
    };
    const QList<Attempt> refused{
        {&fero, "update QMESSAGES set MSG_TEXT='Zmena: vyplatit zalohu 5000 EUR' where MSG_ID=1"},
        {&fero, "update QMESSAGES set MSG_USER='MAJSTER' where MSG_ID=1"},
        {&fero, "update QMESSAGES set MSG_TITLE='Iný' where MSG_ID=1"},
        {&fero, "update QMESSAGES set MSG_DATA=99 where MSG_ID=1"},
        {&fero, "update QMESSAGES set MSG_UTVAR=3 where MSG_ID=1"},
        {&fero, "update QMESSAGES set MSG_ID=100 where MSG_ID=1"},
        {&fero, "update QMESSAGES set USR_VYSTAV='FERO' where MSG_ID=1"},
        {&fero, "update QMESSAGES set D_VYSTAV=CURRENT_TIMESTAMP where MSG_ID=1"},
        {&jano, "update QMESSAGES set MSG_TEXT='Oprava'"},
        {&jano, "update QMESSAGES set D_PRIJMU=CURRENT_TIMESTAMP"},
        {&jano, "update QMESSAGES set D_VYBAV=CURRENT_TIMESTAMP, USR_VYBAV='FERO'"},
        {&admin, "update QMESSAGES set MSG_TEXT='Oprava' where MSG_ID=1"},
        {&admin, "update QMESSAGES set D_VYBAV=CURRENT_TIMESTAMP where MSG_ID=1"},
    };
    for (const Attempt &a : refused) {
        try {
            a.who->exec(QString::fromUtf8(a.sql));
            ADD_FAILURE() << "not refused: " << a.sql;
        } catch (const EDatabaseError &e) {
            EXPECT_TRUE(e.Message.contains(QString::fromUtf8("Odoslanú správu nemožno zmeniť"))) << a.sql;
        }
    }
    EXPECT_THROW(mara.exec("delete from QMESSAGES"), EDatabaseError);
    EXPECT_EQ(
        admin.value("select MSG_TEXT || MSG_USER || MSG_TITLE || USR_VYSTAV from QMESSAGES where MSG_ID=1").toString(),
        "TextFEROPokynPREDAJ");
    // The addressee stamps his messages as the program does.
    fero.exec("update QMESSAGES set d_prijmu=CURRENT_TIMESTAMP where d_prijmu IS NULL and msg_user=USER");
    fero.exec("update QMESSAGES set d_vybav=CURRENT_TIMESTAMP, usr_vybav=USER where Msg_ID=2");
    EXPECT_EQ(admin.number("select count(*) from QMESSAGES where D_PRIJMU is not null"), 2);
    EXPECT_EQ(admin.value("select USR_VYBAV from QMESSAGES where MSG_ID=2").toString(), "FERO");
}

// The privilege rows turn on menu items: a user who administers the users does not write himself any, a
// "System" user at "Všetko" does.
TEST_F(ModuleGrants, OnlySystemUsersChangePrivilegeRows)
{
    auto usr = as("SPRAVCA", "Uzivatelia");
    ASSERT_NO_THROW(usr->exec("insert into QUSERS (RDB_USER, RDB_UTVAR) values ('JANO', 3)"));
    try {
        usr->exec("insert into QPRIVILEGES (RDB_USER, RDB_PRIVILEGE, RDB_LEVEL) values ('SPRAVCA', 'System', 2)");
        ADD_FAILURE() << "a user administering the users wrote himself the System row";
    } catch (const EDatabaseError &e) {
        EXPECT_TRUE(e.Message.contains(QString::fromUtf8("Oprávnenia užívateľov mení len užívateľ s oprávnením")))
            << e.Message.toStdString();
    }
    UserConnection admin(db_.path(), "SYSDBA");
    admin.exec("insert into QPRIVILEGES (RDB_USER, RDB_PRIVILEGE, RDB_LEVEL) values ('SPRAVCA', 'Uzivatelia', 2)");
    admin.exec("insert into QPRIVILEGES (RDB_USER, RDB_PRIVILEGE, RDB_LEVEL) values ('SEF', 'System', 1)");
    EXPECT_THROW(usr->exec("update QPRIVILEGES set RDB_LEVEL=2"), EDatabaseError);
    EXPECT_THROW(usr->exec("delete from QPRIVILEGES"), EDatabaseError);

    admin.exec("insert into QPRIVILEGES (RDB_USER, RDB_PRIVILEGE, RDB_LEVEL) values ('SYSTEMAK', 'System', 2)");
    auto sys = as("SYSTEMAK", "System");
    ASSERT_NO_THROW(
        sys->exec("insert into QPRIVILEGES (RDB_USER, RDB_PRIVILEGE, RDB_LEVEL) values ('JANO', 'MTZ', 1)"));
    ASSERT_NO_THROW(sys->exec("update QPRIVILEGES set RDB_LEVEL=2 where RDB_USER='SEF'"));
    EXPECT_EQ(adminNumber("select count(*) from QPRIVILEGES"), 4);
}

// Each word reads its own module's views and runs its own procedures, not the others'.
TEST_F(ModuleGrants, EveryWordReadsItsViewsAndNoOthers)
{
    struct Case {
        const char *user, *word;
        QStringList reads, refused;
    };
    const QList<Case> cases{
        {"MZDAR", "Mzdy", {"VSVYKONY"}, {"VZAKAZKYDKALK", "VEDLISTY", "ZAKAZKY", "VSODVODY"}},
        {"DOCHADZKA", "Dochadzka", {"VSVYKONY"}, {"VZAKAZKYDKALK", "VZAKAZKYD"}},
        {"EXPEDIT", "Expedicia", {"ZAKAZKY", "VEDLISTY", "VEDLISTYD", "VZAKAZKYDKALK"}, {"VSVYKONY", "VZAKOPERACIE"}},
        {"MAJSTER", "Vyroba", {"VSVYKONY", "VSODVODY", "VZAKOPERACIE", "VZAKAZKYD"}, {"VEDLISTY", "ZAKAZKY"}},
        {"SKLADNIK", "Sklady", {"VZAKAZKYD"}, {"VSVYKONY", "VEDLISTY", "ZAKAZKY"}},
        {"OBCHODNIK", "Odbyt", {"ZAKAZKY", "VZAKAZKYDKALK", "VEDLISTY", "VYROBKY"}, {"VSVYKONY"}},
        {"CISELNIKY", "Ciselniky", {}, {"VZAKAZKYD", "VSVYKONY", "ZAKAZKY"}},
    };
    for (const Case &c : cases) {
        auto u = as(c.user, c.word);
        for (const QString &view : c.reads)
            EXPECT_NO_THROW(u->value("select count(*) from " + view)) << c.word << " reads " << view.toStdString();
        for (const QString &view : c.refused)
            EXPECT_THROW(u->value("select count(*) from " + view), EDatabaseError)
                << c.word << " reads " << view.toStdString();
    }
    auto expedit = as("EXPEDIT", "Expedicia");
    EXPECT_THROW(expedit->exec("update ZAKAZKY set POZNAMKA='x'"), EDatabaseError) << "order headers are read only";
    auto mzdar = as("MZDAR", "Mzdy");
    EXPECT_THROW(mzdar->exec("execute procedure MPOZIADAVKY_PREPIS"), EDatabaseError);
    EXPECT_THROW(mzdar->exec("execute procedure POLOZKY_CENA_KALK 'V1', 1"), EDatabaseError);
    auto majster = as("MAJSTER", "Vyroba");
    EXPECT_NO_THROW(majster->exec("execute procedure MPOZIADAVKY_PREPIS"));
    auto kalk = as("KALKULANT", "Kalkulacie");
    EXPECT_NO_THROW(kalk->exec("execute procedure ZAKKALK_KALKULACIA 1"));
}

TEST_F(ModuleGrants, StoresUserSavesAStockMovement)
{
    auto u = as("SKLADNIK", "Sklady");
    ASSERT_NO_THROW(u->exec("insert into MPOHYBY (DATUM, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO, CENA_NAKL) "
                            "values (CURRENT_DATE, 10, 'H1', 'M1', 5, 2)"));
    ASSERT_NO_THROW(u->exec("update MPOHYBY set MNOZSTVO=6 where C_POL='M1'"));
    ASSERT_NO_THROW(u->exec("insert into POLOZKYKOKILY (C_POL, NASOBNOST) values ('M1', 2)"));
    ASSERT_NO_THROW(u->exec("execute procedure POLOZKY_CENA_KALK 'M1', 0"));
    EXPECT_DOUBLE_EQ(u->number("select MNOZSTVO from MSKLADY where C_POL='M1' and SKLAD='H1'"), 6);
    ASSERT_NO_THROW(u->exec("delete from MPOHYBY where C_POL='M1'"));
    EXPECT_DOUBLE_EQ(u->number("select MNOZSTVO from MSKLADY where C_POL='M1' and SKLAD='H1'"), 0);
}

TEST_F(ModuleGrants, ProductionUserSavesAHandOverThatMovesTheStore)
{
    auto u = as("MAJSTER", "Vyroba");
    ASSERT_NO_THROW(u->exec("insert into SODVODY (DATUM, C_INT, C_DOKLADU, SKLAD, MNOZSTVO, NAKL1) "
                            "values (CURRENT_DATE, 1, 1, 'H1', 4, 40)"));
    ASSERT_NO_THROW(u->exec("update SODVODY set MNOZSTVO=5 where C_INT=1"));
    ASSERT_NO_THROW(
        u->exec("insert into SVYKONY (DATUM, OSC, C_INT, C_OPERACIE, MNOZSTVO) values (CURRENT_DATE, 7, 1, 10, 5)"));
    ASSERT_NO_THROW(u->exec("insert into ZAKREK (C_REK, C_INT, MNOZ_REK) values ('R1', 1, 1)"));
    ASSERT_NO_THROW(u->exec("insert into SPLAN (OBDOBIE, C_INT, C_OPERACIE, MNOZ_PLAN) values ('2026-01', 1, 10, 5)"));
    EXPECT_DOUBLE_EQ(adminNumber("select MNOZSTVO from MSKLADY where C_POL='V1' and SKLAD='H1'"), 5);
}

TEST_F(ModuleGrants, DispatchUserSavesADeliveryNoteLine)
{
    auto u = as("EXPEDIT", "Expedicia");
    ASSERT_NO_THROW(
        u->exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV) values (1, 1, 'ZAK260001', CURRENT_DATE)"));
    ASSERT_NO_THROW(u->exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, C_RIADKU, SKLAD, MNOZ_VYR, NAKL1) "
                            "values (1, 'V1', 1, 1, 'H1', 3, 40)"));
    ASSERT_NO_THROW(u->exec("update EDLISTYD set MNOZ_VYR=2 where C_DL=1"));
    EXPECT_DOUBLE_EQ(u->number("select MNOZSTVO from MSKLADY where C_POL='V1' and SKLAD='H1'"), -2);
    // The delivery note's print joins the order header.
    EXPECT_EQ(
        u->value("select z.C_OBJ from EDLISTY a left join ZAKAZKY z on a.C_OBJ=z.C_OBJ where a.C_DL=1").toString(),
        "ZAK260001");
}

TEST_F(ModuleGrants, SalesUserSavesOrdersOffersCustomersAndCalculations)
{
    auto u = as("OBCHODNIK", "Odbyt");
    // Orders through the writable view.
    ASSERT_NO_THROW(u->exec("insert into VZAKAZKY (C_OBJ, C_ODB, ODBERATEL, D_OBJ, D_VYSTAV) "
                            "values ('ZAK260002', 1, 'Zlieváreň', CURRENT_DATE, CURRENT_DATE)"));
    ASSERT_NO_THROW(
        u->exec("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, STAV_ZAK) values (2, 'ZAK260002', 'V1', 3, 0)"));
    ASSERT_NO_THROW(u->exec("insert into VZAKKALK (C_INT, MATERIAL, VAHA1, CENA_MAT) values (2, 'GG20', 10, 1.5)"));
    ASSERT_NO_THROW(u->exec("insert into ZAKKALKD (C_INT, TYP_NAKL, NAKLAD, HODNOTA) values (2, 'O', 'BAL', 3)"));
    // Offers live in ZAKAZKY itself: listed, written, changed and deleted there.
    ASSERT_NO_THROW(u->exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, ODBERATEL, D_VYSTAV) "
                            "values ('PON260001', 'P', 1, 'Zlieváreň', CURRENT_DATE)"));
    ASSERT_NO_THROW(u->exec("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ) values (-1, 'PON260001', 'V1', 2)"));
    ASSERT_NO_THROW(u->exec("update ZAKAZKY set POZNAMKA='Ponuka' where C_OBJ='PON260001'"));
    EXPECT_EQ(u->number("select count(*) from ZAKAZKY where TYP_OBJ='P' and D_VYSTAV>=CURRENT_DATE-7"), 1);
    ASSERT_NO_THROW(u->exec("delete from ZAKAZKY where C_OBJ='PON260001'"));
    // Customers and products.
    ASSERT_NO_THROW(u->exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (-1, 'Nový')"));
    ASSERT_NO_THROW(u->exec("update CODBERATELOV set C_ODB=2 where C_ODB=-1"));
    ASSERT_NO_THROW(u->exec("insert into POLOZKY (C_POL, TYP1, NAZOV) values ('V2', 'V', 'Veko')"));
    ASSERT_NO_THROW(u->exec("execute procedure POLOZKY_CENA_KALK 'V2', 1"));
    ASSERT_NO_THROW(u->exec("insert into TOPERACIE (C_VYR, C_OPERACIE, CAS_JED) values ('V2', 10, 5)"));
    EXPECT_EQ(adminNumber("select count(*) from ZAKAZKY"), 2);
}

TEST_F(ModuleGrants, TechnologyUserSavesTheTechnology)
{
    auto u = as("TECHNOLOG", "TPV");
    ASSERT_NO_THROW(u->exec("insert into TOPERACIE (C_VYR, C_OPERACIE, CAS_JED) values ('V1', 10, 5)"));
    ASSERT_NO_THROW(u->exec("insert into TKUSOVNIK (C_VYR, C_POZICIE, C_POL, MNOZSTVO) values ('V1', 1, 'M1', 2)"));
    ASSERT_NO_THROW(u->exec("update ZAKOPERACIE set CAS_JED=5 where C_INT=1"));
    ASSERT_NO_THROW(u->exec("execute procedure POLOZKY_CENA_KALK 'V1', 1"));
}

TEST_F(ModuleGrants, PurchaseUserSavesOrdersAndRebuildsRequests)
{
    auto u = as("NAKUP", "Objednavky");
    ASSERT_NO_THROW(u->exec("insert into CDODAVATELOV (C_DOD, DODAVATEL) values (1, 'Piesky')"));
    ASSERT_NO_THROW(u->exec("insert into MOBJEDNAVKY (C_OBJ, C_DOD, D_VYSTAV) values ('OBJ1', 1, CURRENT_DATE)"));
    ASSERT_NO_THROW(u->exec("insert into MOBJEDNAVKYD (C_OBJ, C_RIADKU, C_POL, MNOZ_OBJ) values ('OBJ1', 1, 'M1', 5)"));
    ASSERT_NO_THROW(u->exec("execute procedure MPOZIADAVKY_PREPIS"));
}

TEST_F(ModuleGrants, CodeListsAttendanceAndWagesSave)
{
    auto cis = as("CISELNIKY", "Ciselniky");
    ASSERT_NO_THROW(cis->exec("insert into CMATERIALOV (MATERIAL, CENA_MAT) values ('GG25', 2)"));
    ASSERT_NO_THROW(
        cis->exec("insert into CNAKLADOV (TYP_NAKL, NAKLAD, NAZOV_NAKL, KOEF_NAKL) values ('O', 'BAL', 'Balenie', 3)"));
    ASSERT_NO_THROW(cis->exec("update CZAMESTNANCOV set MENO='Jozef' where OSC=7"));

    auto doch = as("DOCHADZKA", "Dochadzka");
    ASSERT_NO_THROW(doch->exec("insert into SDOCHADZKA (DATUM, OSC, OHOD) values (CURRENT_DATE, 7, 8)"));

    auto mzdy = as("MZDAR", "Mzdy");
    ASSERT_NO_THROW(mzdy->exec("execute procedure SMzdy_Pocitaj CURRENT_DATE-30, CURRENT_DATE, 0, 0, 0, 0, 0, 0, 0"));
}

// Each word's screens work for a user holding that word alone: every statement of its module prepares at
// "Všetko", every select of it at "Čítať"; and he writes no table of another word, nor the stock rows that
// only the movements' triggers keep.
TEST_F(ModuleGrants, EachWordsScreensWorkAndNothingElseIsWritten)
{
    struct Case {
        const char *user, *word;
        QStringList statements;
        QStringList othersTables;
    };
    const QList<Case> cases{
        {"EXPEDIT", "Expedicia", ExpSql::All(), {"MSKLADY", "MPOHYBY", "POLOZKY", "ZAKAZKY", "SMZDY", "SPLANZAMOK"}},
        {"MZDAR", "Mzdy", MzdySql::All(), {"MSKLADY", "EDLISTY", "ZAKAZKY", "SVYKONY", "SDOCHADZKA"}},
        {"VYKONY", "Vykony", VykSql::All(), {"MSKLADY", "EDLISTY", "SMZDY", "SPLANZAMOK"}},
        {"MAJSTER", "Vyroba", VyrobaSql::All() + SprievodkaSql::All(), {"MSKLADY", "EDLISTY", "SMZDY", "ZAKAZKY"}},
        {"OBCHODNIK", "Odbyt", OdbytSql::All(), {"MSKLADY", "MPOHYBY", "SMZDY", "EDLISTY", "SPLANZAMOK"}},
        {"TECHNOLOG", "TPV", TPVSql::All(), {"MSKLADY", "EDLISTY", "ZAKAZKY", "SMZDY"}},
        {"SKLADNIK", "MTZ", MTZSql::All(), {"MSKLADY", "EDLISTY", "ZAKAZKY", "SMZDY", "SPLANZAMOK"}},
    };
    for (const Case &c : cases) {
        for (const int level : {int(plAll), int(plRead)}) {
            const QString user = QString::fromLatin1(c.user) + (level == plRead ? "_C" : "");
            auto u = as(user, c.word, level);
            QStringList refused;
            for (const QString &sql : c.statements) {
                bool reads = false;
                const QString problem = u->prepareProblem(sql, &reads);
                // Only a refusal of rights counts here (whether a statement prepares at all is tested elsewhere),
                // and not the refused write of another word's table the same form writes for that word.
                const bool othersWrite = std::any_of(c.othersTables.begin(), c.othersTables.end(), [&](auto &t) {
                    return !problem.contains("SELECT access") &&
                           problem.contains(QRegularExpression("access to TABLE " + t + "\\b"));
                });
                if (problem.contains("no permission", Qt::CaseInsensitive) && (level == plAll || reads) && !othersWrite)
                    refused << problem.section('\n', 0, 1) + "\n    " + sql.simplified().left(160);
            }
            EXPECT_TRUE(refused.isEmpty()) << c.word << " at level " << level << ":\n"
                                           << refused.join('\n').toStdString();
            for (const QString &table : c.othersTables)
                EXPECT_FALSE(u->prepareProblem("delete from " + table).isEmpty())
                    << c.word << " deletes from " << table.toStdString();
        }
    }
}
