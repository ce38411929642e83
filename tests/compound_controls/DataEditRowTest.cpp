// The data edit rows of the dialogs in a real form layout: every field gets the height and width it needs,
// the captions line up in one column with those of other controls, an edit of its own width keeps it, the
// kind brings its button and the mask given with the row shapes what is typed.
#include "common/PersonTyping.h"
#include "common/DbFixture.h"
#include "common/HostileCorpus.h"
#include "library/DataEditRow.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QTest>

namespace {

class DataEditRows : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table T_R (ID integer not null primary key, NAZOV varchar(40), MNOZ double precision, "
             "D date, KOD varchar(10))");
        exec("insert into T_R (ID, NAZOV, MNOZ, D) values (1, 'Odliatok', 12.5, '2026-03-04')");
        t.SetDatabase(db.get());
        t.SetTableName("T_R");
        t.SetIndexFieldNames("ID");
        src.SetDataSet(&t);
        t.Open();
        auto *main = new QVBoxLayout(&w);
        main->addLayout(form);
    }
    void TearDown() override
    {
        t.Close();
        DbFixture::TearDown();
    }
    void showWindow()
    {
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(ShowActive(&w));
    }
    // Where the control starts in the window.
    int left(const QWidget *control) { return control->mapTo(&w, QPoint(0, 0)).x(); }

    TIBTable t;
    TDataSource src;
    QWidget w;
    QFormLayout *form = new QFormLayout;
};

} // namespace

TEST_F(DataEditRows, EveryFieldHasItsRoomAndTheValuesStartInOneColumn)
{
    TxDBEdit *nazov = AddDataEditRow(form, &w, &src, {"NAZOV", "Názov"});
    auto *combo = new TDBComboBox(&w);
    combo->SetDataSource(&src);
    combo->SetDataField("KOD");
    AddCaptionedRow(form, QString::fromUtf8("Kód druhu odliatku"), combo);
    TxDBEdit *mnoz = AddDataEditRow(form, &w, &src, {"MNOZ", "Množstvo dodané", bsNone, nullptr, 8, "ks"});
    TxDBEdit *d = AddDataEditRow(form, &w, &src, {"D", "Dátum", bsDate, nullptr, 10});
    showWindow();
    EXPECT_EQ(nazov->objectName(), "DBeNAZOV") << "the name tests and pictures find it by";
    for (TxDBEdit *e : {nazov, mnoz, d}) {
        SCOPED_TRACE(e->objectName().toStdString());
        EXPECT_GE(e->height(), e->Edit()->minimumSizeHint().height()) << "the layout gives the edit its height";
        EXPECT_GE(e->Label()->width(), e->Label()->sizeHint().width()) << "the caption shows whole";
        EXPECT_GE(e->Edit()->width(), e->Edit()->minimumSizeHint().width());
        EXPECT_TRUE(e->rect().contains(e->Edit()->geometry()));
        EXPECT_EQ(left(e->Edit()), left(combo)) << "the values start where the combo's does";
    }
    EXPECT_GT(nazov->Edit()->width(), mnoz->Edit()->width()) << "a plain row is as wide as the form";
    EXPECT_LT(mnoz->Edit()->width(), mnoz->Edit()->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
    QLabel *unit = nullptr;
    for (QLabel *l : w.findChildren<QLabel *>())
        if (l->text() == "ks")
            unit = l;
    ASSERT_NE(unit, nullptr);
    EXPECT_GE(left(unit), left(mnoz->Edit()) + mnoz->Edit()->width()) << "the unit stands after the edit";
    EXPECT_TRUE(d->Button()->isVisible()) << "a date row has its calendar button";
    EXPECT_GE(left(d->Button()), left(d->Edit()) + d->Edit()->width());
}

TEST_F(DataEditRows, TheMaskGivenWithTheRowShapesTheTypedText)
{
    TxDBEdit *kod = AddDataEditRow(form, &w, &src, {"KOD", "Kód", bsNone, ">LL-00;0;_", 6});
    showWindow();
    t.Edit();
    TabTo(kod->Edit());
    QApplication::processEvents();
    QTest::keyClick(kod->Edit(), Qt::Key_Home);
    TypeText(kod->Edit(), "ab12x9");
    EXPECT_EQ(kod->Edit()->text(), "AB-12");
    QTest::keyClick(kod->Edit(), Qt::Key_Tab);
    t.Post();
    EXPECT_EQ(value("select KOD from T_R where ID=1").toString(), "AB12") << "upper case letters and two digits";
}

TEST_F(DataEditRows, TypingStopsAtTheRowsMostCharactersButALongerValueShowsWhole)
{
    TxDBEdit *nazov = AddDataEditRow(form, &w, &src, {"NAZOV", "Názov"});
    nazov->SetMaxLength(4);
    showWindow();
    t.Edit();
    TabTo(nazov->Edit());
    QApplication::processEvents();
    EXPECT_EQ(nazov->Edit()->text(), "Odliatok") << "the value the field holds is not cut";
    QTest::keyClick(nazov->Edit(), Qt::Key_End);
    QTest::keyClick(nazov->Edit(), Qt::Key_X);
    EXPECT_EQ(nazov->Edit()->text(), "Odliatok") << "no more than the value already has";
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(nazov->Edit(), Qt::Key_Backspace);
    TypeText(nazov->Edit(), QString::fromUtf8("Ložisko"));
    EXPECT_EQ(nazov->Edit()->text(), QString::fromUtf8("Loži"));
}
