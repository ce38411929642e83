// The field catalogue on opened data sets, and the data-set utilities' edge cases.
#include "common/DbFixture.h"
#include "library/FieldTitles.h"
#include "library/xDBCatalog.h"
#include "library/xDatabase.h"
#include "library/xDataSet.h"
#include "library/xQuery.h"
#include "library/xTable.h"
#include "platform/os/Exception.h"

#include <functional>
#include <vector>

namespace {

class Catalog : public DbFixtureT<TxDatabase> {
protected:
    void SetUp() override
    {
        DbFixtureT<TxDatabase>::SetUp();
        exec("create table C_T (C_INT integer, NAZOV varchar(40), HODNOTA double precision, "
             "POCET double precision, D_OBJ date, KOD varchar(10), MALE smallint, VELKE bigint)");
        exec("insert into C_T values (260045, 'Odliatok', 1234.5, 2.5, '2026-01-02', 'AB12', 1, 2)");
        cat.Titles.SetText(QString::fromUtf8("C_INT=č.Zákazky\nNAZOV=Názov\nD_OBJ=Dátum objednávky vystavenia"));
        cat.Formats.SetText("HODNOTA=$\nC_INT=#0\"/\"0000\nKOD=>LL00;0;_\nMALE=0.0");
        db->DBCatalog = &cat;
    }
    TxDBCatalog cat;
};

TEST_F(Catalog, CaptionsFormatsWidthsAndDefaults)
{
    TxQuery q;
    q.SetDatabase(db.get());
    q.SQL().SetText("select * from C_T");
    q.Open();
    TField *cint = q.FieldByName("C_INT");
    EXPECT_EQ(cint->DisplayLabel(), QString::fromUtf8("č.Zákazky"));
    EXPECT_EQ(cint->DisplayFormat, "#0\"/\"0000");
    EXPECT_EQ(cint->DisplayText(), "26/0045");
    EXPECT_EQ(cint->DisplayWidth(), 9) << "integer 8, widened to its caption";
    EXPECT_EQ(cint->DefaultExpression, "0");

    TField *hodnota = q.FieldByName("HODNOTA");
    EXPECT_TRUE(hodnota->Currency);
    EXPECT_EQ(hodnota->DisplayWidth(), 13);
    TField *pocet = q.FieldByName("POCET");
    EXPECT_EQ(pocet->DisplayFormat, "#####0.###");
    EXPECT_EQ(pocet->DisplayText(), "2,5");
    EXPECT_EQ(pocet->DisplayWidth(), 10) << "10 is the float's own width: not touched";

    EXPECT_EQ(q.FieldByName("KOD")->EditMask, ">LL00;0;_") << "a format on a text field is its edit mask";
    EXPECT_TRUE(q.FieldByName("KOD")->DefaultExpression.isEmpty());
    EXPECT_EQ(q.FieldByName("D_OBJ")->DisplayWidth(), 10) << "a date already 10 wide keeps it";
    EXPECT_EQ(q.FieldByName("MALE")->DisplayWidth(), 5);
    EXPECT_EQ(q.FieldByName("VELKE")->DisplayWidth(), 5);
    EXPECT_EQ(q.FieldByName("NAZOV")->DisplayLabel(), QString::fromUtf8("Názov"));
}

TEST_F(Catalog, NewRowsOfNumericFieldsStartAtZero)
{
    TxTable t;
    t.SetDatabase(db.get());
    t.SetTableName("C_T");
    t.Open();
    t.Append();
    EXPECT_EQ(t.FieldByName("C_INT")->AsInteger(), 0);
    EXPECT_FALSE(t.FieldByName("POCET")->IsNull());
    EXPECT_TRUE(t.FieldByName("NAZOV")->IsNull());
    t.Cancel();
}

TEST_F(Catalog, TableEventRunsAfterTheCatalogueOnlyForDefaultFields)
{
    TxTable t;
    t.SetDatabase(db.get());
    t.SetTableName("C_T");
    QString seen;
    t.OnCreateFields = [&](TDataSet *ds) { seen = ds->FieldByName("C_INT")->DisplayLabel(); };
    t.Open();
    EXPECT_EQ(seen, QString::fromUtf8("č.Zákazky"));
    t.Close();
    seen.clear();
    new TField(&t, "NAZOV", ftString, 40);
    t.Open();
    EXPECT_TRUE(seen.isEmpty()) << "persistent fields: neither catalogue nor event";
    EXPECT_EQ(t.FieldByName("NAZOV")->DisplayLabel(), "NAZOV");
}

// A module's own captions win over the catalogue's and come back with the fields made at every open, on a query
// as on an updatable data set; a name the data set does not have is passed over.
TEST_F(Catalog, ModuleTitlesOverTheCatalogueOnEveryOpen)
{
    static const TFieldTitle own[] = {{"C_INT", "Zákazka"}, {"POCET", "Počet"}, {"CHYBA", "Chýba"}};
    static const TFieldTitles module(own);
    const auto titles = [](TDataSet *ds) { module.Apply(ds); };
    TxQuery q;
    q.SetDatabase(db.get());
    q.SQL().SetText("select C_INT, POCET, KOD from C_T");
    q.OnCreateFields = titles;
    TxDataSet d;
    d.SetDatabase(db.get());
    d.SQL().SetText("select C_INT, POCET, KOD from C_T");
    d.OnCreateFields = titles;
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&q, &d})
        for (int open = 0; open < 2; ++open) {
            ds->Open();
            EXPECT_EQ(ds->FieldByName("C_INT")->DisplayLabel(), QString::fromUtf8("Zákazka"));
            EXPECT_EQ(ds->FieldByName("C_INT")->DisplayText(), "26/0045") << "the catalogue's format stays";
            EXPECT_EQ(ds->FieldByName("POCET")->DisplayLabel(), QString::fromUtf8("Počet"));
            EXPECT_EQ(ds->FieldByName("KOD")->DisplayLabel(), "KOD");
            EXPECT_EQ(ds->FindField("CHYBA"), nullptr);
            ds->Close();
        }
}

// The common captions fill only what neither the catalogue nor a table applied before has captioned; a module's
// own ones win over both. A print query titled by the shared list and then by a module's table keeps what the
// first gave a field the second does not caption itself.
TEST_F(Catalog, CommonCaptionsFillOnlyWhatNoOneCaptioned)
{
    static const TFieldTitle firstOwn[] = {{"OSC", "Prvý"}};
    static const TFieldTitle secondOwn[] = {{"MNOZSTVO", "Druhý"}, {"C_INT", "Zákazka"}};
    static const TFieldTitles first(firstOwn), second(secondOwn);
    const struct {
        std::vector<const TFieldTitles *> tables;
        const char *osc, *mnozstvo, *cint, *nazov;
    } cases[] = {
        {{&CommonTitles()}, "Os.č.", "Množstvo", "č.Zákazky", "Názov"},
        {{&first}, "Prvý", "Množstvo", "č.Zákazky", "Názov"},
        {{&second}, "Os.č.", "Druhý", "Zákazka", "Názov"},
        {{&first, &second}, "Prvý", "Druhý", "Zákazka", "Názov"},
        {{&second, &CommonTitles()}, "Os.č.", "Druhý", "Zákazka", "Názov"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto &c = cases[i];
        TxQuery q;
        q.SetDatabase(db.get());
        q.SQL().SetText("select C_INT, KOD as OSC, POCET as MNOZSTVO, NAZOV from C_T");
        q.OnCreateFields = [&c](TDataSet *ds) {
            for (const TFieldTitles *t : c.tables)
                t->Apply(ds);
        };
        q.Open();
        const auto label = [&q](const char *name) { return q.FieldByName(name)->DisplayLabel(); };
        EXPECT_EQ(label("OSC"), QString::fromUtf8(c.osc)) << "case " << i;
        EXPECT_EQ(label("MNOZSTVO"), QString::fromUtf8(c.mnozstvo)) << "case " << i;
        EXPECT_EQ(label("C_INT"), QString::fromUtf8(c.cint)) << "case " << i;
        EXPECT_EQ(label("NAZOV"), QString::fromUtf8(c.nazov)) << "case " << i;
    }
    EXPECT_EQ(first.Title("osc"), QString::fromUtf8("Prvý")) << "a name in any case";
    EXPECT_EQ(first.Title("MNOZSTVO"), QString::fromUtf8("Množstvo"));
    EXPECT_EQ(first.Title("KOD"), QString());
}

// The catalogue as it is when a data set opens: a caption changed, added or taken away reaches the next
// open; of a name given twice the first line holds, and a name matches in any case.
TEST_F(Catalog, TheNextOpenTakesTheCatalogueAsItIsThen)
{
    TxQuery q;
    q.SetDatabase(db.get());
    q.SQL().SetText("select C_INT, NAZOV, POCET from C_T");
    const auto labelOf = [&q](const char *name) {
        q.Open();
        const QString label = q.FieldByName(QString::fromLatin1(name))->DisplayLabel();
        q.Close();
        return label;
    };
    EXPECT_EQ(labelOf("NAZOV"), QString::fromUtf8("Názov"));
    cat.Titles.SetValue("NAZOV", QString::fromUtf8("Pomenovanie"));
    EXPECT_EQ(labelOf("NAZOV"), QString::fromUtf8("Pomenovanie"));
    cat.Titles.Add(QString::fromUtf8("pocet=Počet kusov"));
    cat.Titles.Add(QString::fromUtf8("POCET=Druhý"));
    EXPECT_EQ(labelOf("POCET"), QString::fromUtf8("Počet kusov"));
    cat.Titles.Clear();
    EXPECT_EQ(labelOf("C_INT"), "C_INT");
    EXPECT_EQ(labelOf("NAZOV"), "NAZOV");
}

// What a form changes on the fields made at an open (caption, format, visibility, its own text) lasts until the
// data set closes: the next open of the same statement, by the same data set or another, starts from the
// catalogue and the module's captions again, on a query as on an updatable data set. Fields a module made
// itself keep what was set on them.
TEST_F(Catalog, AFormsChangesToTheFieldsLastUntilTheDataSetCloses)
{
    static const TFieldTitle own[] = {{"POCET", "Počet"}};
    static const TFieldTitles module(own);
    const auto titles = [](TDataSet *ds) { module.Apply(ds); };
    const auto change = [](TDataSet *ds) {
        TField *cint = ds->FieldByName("C_INT");
        cint->SetDisplayLabel("Iné");
        cint->DisplayFormat = "0";
        cint->Visible = false;
        cint->OnGetText = [](TField *, QString &text, bool) { text = "x"; };
        ds->FieldByName("POCET")->SetDisplayLabel("Kusy");
        ds->FieldByName("POCET")->DisplayFormat = "0.00";
        ds->FieldByName("KOD")->EditMask = "";
        EXPECT_EQ(ds->FieldByName("C_INT")->DisplayText(), "x");
    };
    const auto expectFresh = [](TDataSet *ds) {
        TField *cint = ds->FieldByName("C_INT");
        EXPECT_EQ(cint->DisplayLabel(), QString::fromUtf8("č.Zákazky"));
        EXPECT_EQ(cint->DisplayFormat, "#0\"/\"0000");
        EXPECT_TRUE(cint->Visible);
        EXPECT_FALSE(cint->OnGetText);
        EXPECT_EQ(cint->DisplayText(), "26/0045");
        EXPECT_EQ(ds->FieldByName("POCET")->DisplayLabel(), QString::fromUtf8("Počet"));
        EXPECT_EQ(ds->FieldByName("POCET")->DisplayFormat, "#####0.###");
        EXPECT_EQ(ds->FieldByName("KOD")->EditMask, ">LL00;0;_");
    };
    TxQuery q, other;
    TxDataSet d;
    for (TxQuery *x : {&q, &other}) {
        x->SetDatabase(db.get());
        x->SQL().SetText("select C_INT, POCET, KOD from C_T");
        x->OnCreateFields = titles;
    }
    d.SetDatabase(db.get());
    d.SQL().SetText("select C_INT, POCET, KOD from C_T");
    d.OnCreateFields = titles;
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&q, &d}) {
        for (int open = 0; open < 3; ++open) {
            ds->Open();
            expectFresh(ds);
            change(ds);
            ds->Open(); // open already: the fields stay as changed
            EXPECT_EQ(ds->FieldByName("C_INT")->DisplayLabel(), QString::fromUtf8("Iné"));
            EXPECT_FALSE(ds->FieldByName("C_INT")->Visible);
            ds->Close();
        }
    }
    q.Open();
    change(&q);
    other.Open();
    expectFresh(&other);
    EXPECT_EQ(q.FieldByName("C_INT")->DisplayLabel(), QString::fromUtf8("Iné"));
    q.Close();
    other.Close();

    TxQuery own2;
    own2.SetDatabase(db.get());
    own2.SQL().SetText("select C_INT, POCET, KOD from C_T");
    TField *made = new TField(&own2, "C_INT", ftInteger, 0);
    own2.Open();
    made->SetDisplayLabel("Vlastná");
    made->Visible = false;
    own2.Close();
    own2.Open();
    EXPECT_EQ(own2.FieldByName("C_INT"), made);
    EXPECT_EQ(made->DisplayLabel(), QString::fromUtf8("Vlastná"));
    EXPECT_FALSE(made->Visible);
    EXPECT_FALSE(own2.FieldByName("POCET")->Visible) << "a column without a field of its own is hidden";
    own2.Close();
}

// A data set opening again a statement it opened before takes back the fields it made for it, as they were
// made: what the last open changed is gone, a hook or a catalogue changed meanwhile is applied anew, and
// statements run in between keep theirs too, up to a bound past which fields are made again.
TEST_F(Catalog, AStatementOpenedAgainTakesItsFieldsBackAsTheyWereMade)
{
    const QString statement = QStringLiteral("select C_INT, POCET, KOD from C_T");
    TxQuery q;
    q.SetDatabase(db.get());
    const auto open = [&q](const QString &sql) {
        q.SQL().SetText(sql);
        q.Open();
        return q.FieldByName("C_INT");
    };
    TField *made = nullptr;
    for (int time = 0; time < 4; ++time) {
        made = open(statement);
        EXPECT_EQ(made->DisplayLabel(), QString::fromUtf8("č.Zákazky"));
        EXPECT_TRUE(made->Visible);
        EXPECT_EQ(made->DefaultExpression, "0");
        made->SetDisplayLabel("Zmenené");
        made->Visible = false;
        made->DefaultExpression = "7";
        made->OnChange = [](TField *) {};
        q.Close();
    }
    TField *again = open(statement);
    EXPECT_EQ(again, made) << "the fields of the last open are taken back";
    EXPECT_EQ(again->DisplayLabel(), QString::fromUtf8("č.Zákazky"));
    EXPECT_TRUE(again->Visible);
    EXPECT_FALSE(again->OnChange);
    q.Append();
    EXPECT_EQ(again->AsInteger(), 0) << "the default as made";
    q.Cancel();
    q.Close();

    // Another statement between two opens of the first.
    EXPECT_EQ(open("select C_INT from C_T")->DisplayLabel(), QString::fromUtf8("č.Zákazky"));
    q.Close();
    EXPECT_EQ(open(statement), made);
    q.Close();

    // A hook set meanwhile: a lambda, then plain functions one after the other.
    q.OnCreateFields = [](TDataSet *ds) { ds->FieldByName("C_INT")->SetDisplayLabel("Z udalosti"); };
    EXPECT_EQ(open(statement)->DisplayLabel(), "Z udalosti");
    q.Close();
    static void (*const first)(TDataSet *) = [](TDataSet *ds) { ds->FieldByName("KOD")->SetDisplayLabel("Prvá"); };
    static void (*const second)(TDataSet *) = [](TDataSet *ds) { ds->FieldByName("KOD")->SetDisplayLabel("Druhá"); };
    for (auto hook : {first, second, first}) {
        q.OnCreateFields = hook;
        for (int time = 0; time < 3; ++time) {
            open(statement);
            EXPECT_EQ(q.FieldByName("KOD")->DisplayLabel(), QString::fromUtf8(hook == first ? "Prvá" : "Druhá"));
            q.Close();
        }
    }

    q.OnCreateFields = nullptr;
    for (int time = 0; time < 2; ++time) {
        open(statement);
        q.Close();
    }
    // The catalogue changed between two opens of kept fields.
    cat.Titles.SetValue("C_INT", QString::fromUtf8("Zákazka č."));
    EXPECT_EQ(open(statement)->DisplayLabel(), QString::fromUtf8("Zákazka č."));
    q.Close();

    // Many statements in between: the first's fields are made again, as the catalogue says.
    for (int other = 0; other < 12; ++other) {
        open(QStringLiteral("select C_INT, %1 as N from C_T").arg(other));
        q.Close();
    }
    TField *remade = open(statement);
    EXPECT_EQ(remade->DisplayLabel(), QString::fromUtf8("Zákazka č."));
    EXPECT_EQ(q.FieldCount(), 3);
    q.Close();
    EXPECT_EQ(q.FindField("C_INT"), nullptr) << "a closed data set has no default fields";
}

TEST_F(Catalog, OtherConnectionsAreLeftAlone)
{
    OtherConnection plain(tmp.path());
    TxQuery q;
    q.SetDatabase(&plain.db);
    q.SQL().SetText("select * from C_T");
    q.Open();
    EXPECT_EQ(q.FieldByName("C_INT")->DisplayLabel(), "C_INT");
    EXPECT_TRUE(q.FieldByName("POCET")->DisplayFormat.isEmpty());
}

TEST_F(Catalog, DescendingIndexOrderOnATable)
{
    exec("insert into C_T (C_INT, D_OBJ) values (1, '2026-05-01')");
    TxTable t;
    t.SetDatabase(db.get());
    t.SetTableName("C_T");
    t.SetIndexFields("D_OBJ desc");
    t.Open();
    EXPECT_EQ(t.FieldByName("C_INT")->AsInteger(), 1);
    t.Close();
    t.SetIndexFields("D_OBJ,C_INT");
    EXPECT_EQ(t.IndexFieldNames(), "D_OBJ;C_INT");
}

class Utils : public DbFixtureT<TxDatabase> {
protected:
    void SetUp() override
    {
        DbFixtureT<TxDatabase>::SetUp();
        exec("create table U_T (ID integer not null primary key, NAZOV varchar(20), MNOZ double precision, "
             "D date, BIG bigint)");
        exec("insert into U_T values (1, 'a', 1.5, null, 5000000000)");
        exec("insert into U_T values (2, 'b', 2.25, '2026-02-03', null)");
        exec("insert into U_T values (3, null, null, null, null)");
        q.SetDatabase(db.get());
    }
    TxQuery q;
};

TEST_F(Utils, SelectValueGivesTypedEmptyValuesNeverNull)
{
    EXPECT_EQ(q.SelectValue("select count(*) from U_T where ID > :P1", {5}).toInt(), 0);
    EXPECT_EQ(q.SelectValue("select sum(MNOZ) from U_T where ID > :P1", {5}), QVariant(0));
    EXPECT_EQ(q.SelectValue("select NAZOV from U_T where ID = :P1", {99}), QVariant(QString()));
    EXPECT_EQ(q.SelectValue("select NAZOV from U_T where ID = :P1", {3}), QVariant(QString()));
    EXPECT_FALSE(q.SelectValue("select D from U_T where ID = :P1", {3}).isValid());
    EXPECT_EQ(q.SelectValue("select NAZOV from U_T where ID = :ID", {2}).toString(), "b");
    EXPECT_TRUE(q.Active()) << "the query stays open";
}

TEST_F(Utils, SelectValueKeepsSixtyFourBitIntegersWhole)
{
    EXPECT_EQ(q.SelectValue("select BIG from U_T where ID = :P1", {1}).toLongLong(), 5000000000LL);
    EXPECT_EQ(q.SelectValue("select count(*) from U_T where BIG = :P1", {QVariant::fromValue<qlonglong>(5000000000LL)})
                  .toInt(),
              1);
}

TEST_F(Utils, ParametersByPositionExtraIgnoredMissingKept)
{
    EXPECT_EQ(q.SelectValue("select count(*) from U_T where ID >= :P1 and ID <= :P2", {2, 3, 99}).toInt(), 2);
    EXPECT_EQ(q.SelectValue("", {1}).toInt(), 3) << "the second parameter keeps its old value";
    EXPECT_EQ(q.SelectValue("select count(*) from U_T where MNOZ > :P1", {1.6}).toInt(), 1) << "a double binds whole";
    EXPECT_EQ(q.SelectValue("select count(*) from U_T where D = :P1", {QDate(2026, 2, 3)}).toInt(), 1);
}

TEST_F(Utils, ExecSqlReturnsRowsAffected)
{
    EXPECT_EQ(q.ExecSql("update U_T set MNOZ = :P1 where ID < :P2", {7.0, 3}), 2);
    EXPECT_EQ(q.ExecSql("delete from U_T where ID = :P1", {42}), 0);
}

TEST_F(Utils, QuestionMarksBindTheValuesInOrder)
{
    EXPECT_EQ(q.SelectValue("select count(*) from U_T where ID >= ? and ID <= ?", {2, 3}).toInt(), 2);
    EXPECT_EQ(q.SelectValue("", {1, 1}).toInt(), 1) << "the current text binds again";
    EXPECT_EQ(q.SelectValue("select count(*) from U_T where NAZOV <> '?' and ID = ? -- ?", {2}).toInt(), 1)
        << "a ? in a literal or a comment is text";
    EXPECT_EQ(q.SelectValue("select NAZOV from U_T where ID > :od and ID < ?", {1, 3}).toString(), "b")
        << "named and positional together, in text order";
    EXPECT_EQ(q.ExecSql("update U_T set NAZOV = ? where ID = ?", {"it's", 3}), 1);
    EXPECT_EQ(value("select NAZOV from U_T where ID = 3").toString(), "it's");
}

TEST_F(Utils, QuestionMarksWithoutTheirValuesAreRefusedNotRunWithNulls)
{
    const auto message = [&](const std::function<void()> &run) {
        try {
            run();
        } catch (const EDatabaseError &e) {
            return e.Message;
        }
        return QString();
    };
    EXPECT_EQ(message([&] { q.ExecSql("update U_T set NAZOV = ? where ID > ?", {"x"}); }),
              QString::fromUtf8("Príkaz SQL má 2 parametrov, zadaných hodnôt je 1."));
    EXPECT_EQ(value("select count(*) from U_T where NAZOV = 'x'").toInt(), 0) << "nothing ran";
    EXPECT_FALSE(message([&] { q.SelectValue("select count(*) from U_T where ID = ?"); }).isEmpty());
    EXPECT_FALSE(message([&] {
                     q.ExecSql("execute block (x integer = ?) as begin update U_T set MNOZ = :x; end", {5});
                 }).isEmpty());
    EXPECT_EQ(value("select count(*) from U_T where MNOZ = 5").toInt(), 0);
}

TEST_F(Utils, SumsAndTheCursorComesBack)
{
    q.SQL().SetText("select * from U_T order by ID");
    q.Open();
    q.Next();
    EXPECT_DOUBLE_EQ(q.SumField("MNOZ"), 3.75);
    EXPECT_EQ(q.FieldByName("ID")->AsInteger(), 2);
    double s[2];
    q.SumFields("ID; MNOZ", s);
    EXPECT_DOUBLE_EQ(s[0], 6);
    EXPECT_DOUBLE_EQ(s[1], 3.75);
    q.SumFields("NIC;ID", s);
    EXPECT_DOUBLE_EQ(s[0], 0);
    EXPECT_DOUBLE_EQ(s[1], 6);
    EXPECT_DOUBLE_EQ(q.SumField("NEEXISTUJE"), 0);
    q.Close();
    q.SQL().SetText("select * from U_T where ID > 10");
    q.Open();
    EXPECT_DOUBLE_EQ(q.SumField("MNOZ"), 0);
    EXPECT_TRUE(q.IsEmpty());
}

TEST_F(Utils, SetFieldValueIfChangedLeavesEqualValuesBrowsing)
{
    TxTable t;
    t.SetDatabase(db.get());
    t.SetTableName("U_T");
    t.SetIndexFieldNames("ID");
    t.Open();
    t.SetFieldValueIfChanged("NAZOV", "a");
    EXPECT_EQ(t.State(), dsBrowse);
    EXPECT_FALSE(t.IsEditing());
    t.SetFieldValueIfChanged("MNOZ", "2,5");
    EXPECT_TRUE(t.IsEditing());
    EXPECT_FALSE(t.IsInserting());
    EXPECT_DOUBLE_EQ(t.FieldByName("MNOZ")->AsFloat(), 2.5);
    t.Cancel();
    t.Last();
    EXPECT_EQ(t.FieldValueOrDefault("MNOZ"), QVariant(0));
    EXPECT_EQ(t.FieldValueOrDefault("NAZOV"), QVariant(QString()));
    EXPECT_FALSE(t.FieldValueOrDefault("D").isValid());
}

TEST_F(Utils, FillListWithFilterOnlyFillsAnEmptyList)
{
    TxTable t;
    t.SetDatabase(db.get());
    t.SetTableName("U_T");
    t.SetIndexFieldNames("ID");
    TStringList list;
    t.FillListWithFilter(list, "NAZOV", "ID < 3");
    EXPECT_EQ(list.Lines(), QStringList({"a", "b"}));
    EXPECT_FALSE(t.Active());
    EXPECT_FALSE(t.Filtered());
    EXPECT_TRUE(t.Filter().isEmpty());
    TStringList full({"x"});
    t.FillListWithFilter(full, "NAZOV", "ID < 3");
    EXPECT_EQ(full.Lines(), QStringList({"x"}));
    EXPECT_FALSE(t.Active());
}

TEST_F(Utils, DuplicateRecordNeverCopiesTheKeyAndKeepsNewRecordDefaults)
{
    q.SQL().SetText("select ID, NAZOV, MNOZ from U_T order by ID");
    q.OnNewRecord = [](TDataSet *ds) { ds->FieldByName("MNOZ")->SetAsFloat(9); };
    q.Open();
    q.DuplicateRecord();
    EXPECT_EQ(q.State(), dsInsert);
    EXPECT_TRUE(q.FieldByName("ID")->IsNull());
    EXPECT_EQ(q.FieldByName("NAZOV")->AsString(), "a");
    EXPECT_DOUBLE_EQ(q.FieldByName("MNOZ")->AsFloat(), 9);
    q.Cancel();
}

TEST_F(Utils, DuplicateRecordTakesTheNumbersTheCatalogueStartedAtZero)
{
    TxDBCatalog cat;
    db->DBCatalog = &cat; // every number field of a new record starts as 0
    exec("create table U_P (ID integer not null primary key, NAZOV varchar(20), MNOZ double precision, "
         "CENA double precision, KS integer)");
    exec("insert into U_P values (1, 'odliatok', 2.5, 130.25, 4)");
    q.SQL().SetText("select ID, NAZOV, MNOZ, CENA, KS from U_P order by ID");
    q.OnNewRecord = [](TDataSet *ds) { ds->FieldByName("KS")->SetAsInteger(1); };
    q.Open();
    q.DuplicateRecord();
    EXPECT_EQ(q.FieldByName("NAZOV")->AsString(), "odliatok");
    EXPECT_DOUBLE_EQ(q.FieldByName("MNOZ")->AsFloat(), 2.5) << "not the catalogue's 0";
    EXPECT_DOUBLE_EQ(q.FieldByName("CENA")->AsFloat(), 130.25);
    EXPECT_EQ(q.FieldByName("KS")->AsInteger(), 1) << "what the new-record handler set stays";
    EXPECT_EQ(q.FieldByName("ID")->AsInteger(), 0) << "the key is not copied";
    q.Cancel();
    q.Close();
    db->DBCatalog = nullptr;
}

TEST_F(Utils, CopyValuesAndAppendAll)
{
    exec("create table U_COPY (ID integer not null primary key, NAZOV varchar(20), INE integer)");
    q.SQL().SetText("select ID, NAZOV from U_T where ID < 3 order by ID");
    q.Open();
    TxTable t;
    t.SetDatabase(db.get());
    t.SetTableName("U_COPY");
    t.Open();
    t.AppendAllFrom(&q);
    EXPECT_EQ(value("select count(*) from U_COPY").toInt(), 2);
    EXPECT_EQ(value("select NAZOV from U_COPY where ID = 2").toString(), "b");
    TStringList names;
    q.FillStringsFromDataSet(names);
    EXPECT_EQ(names.Lines(), QStringList({"1", "2"}));
}

} // namespace
