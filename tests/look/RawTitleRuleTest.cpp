// The look rule that finds grid columns titled with their field's raw name, on its own: what it takes for a
// database identifier, and a grid over a real query where only the untitled column is named.
#include "common/PersonTyping.h"
#include "LookRules.h"

#include "common/DbFixture.h"
#include "library/xDBEdit.h"
#include "library/xDatabase.h"
#include "library/xQuery.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"

#include <QFormLayout>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

namespace {

TEST(RawFieldNameTitle, TakesOnlyACapitalisedIdentifierThatIsTheFieldsName)
{
    // Names as the tables spell them, shown as they stand.
    for (const char *raw : {"C_DOKLADU", "OSC", "MNOZSTVO", "TYP_POHYBU", "MAT_BW1", "D2", "PRIEZVISKO"})
        EXPECT_TRUE(RawFieldNameTitle(QLatin1String(raw), QLatin1String(raw))) << raw;
    // The same name, whatever case the query wrote it in.
    EXPECT_TRUE(RawFieldNameTitle(QStringLiteral("OSC"), QStringLiteral("osc")));

    // Captions: Slovak words, abbreviations with their marks, and the abbreviations a reader knows as they stand.
    const QList<QPair<const char *, const char *>> captions{{"č.Dokladu", "C_DOKLADU"},
                                                            {"Os.číslo", "OSC"},
                                                            {"MNOŽSTVO", "MNOZSTVO"},
                                                            {"Priezvisko", "PRIEZVISKO"},
                                                            {"Dátum", "DATUM"},
                                                            {"DPH", "DPH"},
                                                            {"ABC", "ABC"},
                                                            {"KP", "KP"},
                                                            {"MJ", "MJ"},
                                                            {"IČO", "ICO"},
                                                            {"Z01", "Z01"},
                                                            {"Z20", "Z20"}};
    for (const auto &[title, field] : captions)
        EXPECT_FALSE(RawFieldNameTitle(QString::fromUtf8(title), QLatin1String(field))) << title;
    // A capitalised title that is not its own column's name is someone's caption, not a leak.
    EXPECT_FALSE(RawFieldNameTitle(QStringLiteral("OSC"), QStringLiteral("C_INT")));
    // Too short or empty to read as a name: a one-letter column ("M", "K") is a caption of its own.
    EXPECT_FALSE(RawFieldNameTitle(QStringLiteral("M"), QStringLiteral("M")));
    EXPECT_FALSE(RawFieldNameTitle(QString(), QString()));
    // Digits alone are a number, not a name.
    EXPECT_FALSE(RawFieldNameTitle(QStringLiteral("12"), QStringLiteral("12")));
}

class RawTitleGrid : public DbFixtureT<TxDatabase> {
protected:
    // The raw-name findings of the window, shown first when it is not yet.
    static QStringList rawFindings(QWidget &window)
    {
        if (!window.isVisible()) {
            window.resize(600, 200);
            window.show();
            EXPECT_TRUE(ShowExposed(&window, "the window is shown"));
        }
        QStringList raw;
        for (const QString &finding : LookProblems(&window))
            if (finding.contains(QLatin1String("raw field name")))
                raw << finding;
        return raw;
    }
};

TEST_F(RawTitleGrid, NamesOnlyTheShownColumnsWithoutACaption)
{
    TxQuery q;
    q.SetDatabase(db.get());
    q.SQL().SetText(QStringLiteral("select 1 as C_DOKLADU, 2 as MNOZSTVO, 3 as DATUM, 4 as DPH, 5 as SKRYTY, "
                                   "6 as TYP_POHYBU\nfrom RDB$DATABASE"));
    TDataSource src;
    src.SetDataSet(&q);
    QWidget window;
    window.setObjectName(QStringLiteral("window"));
    auto *layout = new QVBoxLayout(&window);
    auto *grid = new TDBGrid(&window);
    grid->setObjectName(QStringLiteral("grid"));
    layout->addWidget(grid);
    grid->SetDataSource(&src);
    grid->AddColumn(QStringLiteral("C_DOKLADU"));                               // no caption anywhere
    grid->AddColumn(QStringLiteral("MNOZSTVO"), QString::fromUtf8("Množstvo")); // the column's own title
    grid->AddColumn(QStringLiteral("DATUM"));                                   // its field's caption
    grid->AddColumn(QStringLiteral("DPH"));
    grid->AddColumn(QStringLiteral("SKRYTY"))->Visible = false;
    grid->AddColumn(QStringLiteral("TYP_POHYBU"), QStringLiteral("TYP_POHYBU")); // titled with the raw name
    q.Open();
    q.FieldByName(QStringLiteral("DATUM"))->SetDisplayLabel(QString::fromUtf8("Dátum"));
    EXPECT_EQ(rawFindings(window), (QStringList{"grid column \"C_DOKLADU\": column shows a raw field name",
                                                "grid column \"TYP_POHYBU\": column shows a raw field name"}));

    // Without titles shown there is nothing to read.
    grid->SetOptions(grid->Options() & ~dgTitles);
    EXPECT_TRUE(rawFindings(window).isEmpty());
    q.Close();
}

// Every page of a window is read as a person sees it, the rule showing each in turn and leaving the page chosen
// before: a grid over an open data set, one whose data set its page opens when it is shown, and one whose data set
// stays closed (it shows its columns' own titles).
TEST_F(RawTitleGrid, ReadsTheGridsOfEveryPageAsEachPageShowsThem)
{
    TxQuery open, shownOnly, closed;
    TDataSource sources[3];
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *pages = new QTabWidget(&window);
    layout->addWidget(pages);
    pages->addTab(new QWidget, QStringLiteral("Prvá"));
    int i = 0;
    for (TxQuery *q : {&open, &shownOnly, &closed}) {
        q->SetDatabase(db.get());
        q->SQL().SetText(QStringLiteral("select 1 as C_DOKLADU from RDB$DATABASE"));
        sources[i].SetDataSet(q);
        auto *grid = new TDBGrid;
        grid->setObjectName(QStringList{"openGrid", "shownGrid", "closedGrid"}[i]);
        grid->SetDataSource(&sources[i]);
        grid->AddColumn(QStringLiteral("C_DOKLADU"));
        pages->addTab(grid, grid->objectName());
        ++i;
    }
    QObject::connect(pages, &QTabWidget::currentChanged, [&](int page) {
        if (page == 2 && !shownOnly.Active())
            shownOnly.Open();
    });
    open.Open();
    EXPECT_EQ(rawFindings(window), (QStringList{"closedGrid column \"C_DOKLADU\": column shows a raw field name",
                                                "openGrid column \"C_DOKLADU\": column shows a raw field name",
                                                "shownGrid column \"C_DOKLADU\": column shows a raw field name"}));
    EXPECT_TRUE(shownOnly.Active()) << "its page was shown";
    EXPECT_EQ(pages->currentIndex(), 0) << "the page chosen before is chosen again";
    open.Close();
    shownOnly.Close();
}

// A field's caption is read the same way: the label of a form row beside a data-aware control, and a captioned
// data edit's own caption.
TEST_F(RawTitleGrid, NamesTheCaptionsOfFieldsThatShowTheirRawName)
{
    TxQuery q;
    q.SetDatabase(db.get());
    q.SQL().SetText(QStringLiteral("select 1 as MAT_BW1, 2 as PRE1, 3 as VAHA1, 4 as C_INT from RDB$DATABASE"));
    TDataSource src;
    src.SetDataSet(&q);
    QWidget window;
    auto *form = new QFormLayout(&window);
    const auto text = [&](const char *field, const QString &caption) {
        auto *t = new TDBText(&window);
        t->setObjectName(QLatin1String(field));
        t->SetDataSource(&src);
        t->SetDataField(QLatin1String(field));
        form->addRow(caption, t);
    };
    text("MAT_BW1", QStringLiteral("MAT_BW1"));
    text("VAHA1", QString::fromUtf8("Čistý odliatok"));
    auto *edit = new TxDBEdit(&window);
    edit->setObjectName(QStringLiteral("DBeC_INT"));
    edit->SetDataSource(&src);
    edit->SetDataField(QStringLiteral("C_INT")); // no caption given: the field's own name
    form->addRow(edit);
    q.Open();
    EXPECT_EQ(rawFindings(window), (QStringList{"DBeC_INT: caption shows a raw field name (\"C_INT\")",
                                                "MAT_BW1: caption shows a raw field name (\"MAT_BW1\")"}));
    q.FieldByName(QStringLiteral("C_INT"))->SetDisplayLabel(QString::fromUtf8("č. Zákazky"));
    edit->SetCaption(QString::fromUtf8("č. Zákazky"));
    EXPECT_EQ(rawFindings(window), QStringList{"MAT_BW1: caption shows a raw field name (\"MAT_BW1\")"});
    q.Close();
}

} // namespace
