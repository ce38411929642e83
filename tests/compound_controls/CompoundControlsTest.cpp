// The compound data-aware controls on a real table: each shows its field, edits it by real keys and
// writes it back on post; pictures stored in a blob and shown again.
#include "common/PersonTyping.h"
#include "common/DbFixture.h"
#include "common/WhenModal.h"
#include "library/xCalendarForm.h"
#include "library/xDBComboBox.h"
#include "library/xDBDateEdit.h"
#include "library/xDBEdit.h"
#include "library/xDBImage.h"
#include "library/xDBMemo.h"
#include "library/xDBText.h"
#include "library/xPageControl.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"
#include "platform/ui/Jpeg.h"

#include <QCalendarWidget>
#include <QTest>

namespace {

class Compound : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table T_C (ID integer not null primary key, NAZOV varchar(20), DRUH char(1), "
             "MNOZ double precision, D date, POZN blob sub_type 1, OBR blob sub_type 0)");
        exec("insert into T_C (ID, NAZOV, DRUH, MNOZ, D) values (1, 'Odliatok', 'N', 1234.5, '2026-03-04')");
        exec("insert into T_C (ID) values (2)");
        t.SetDatabase(db.get());
        t.SetTableName("T_C");
        t.SetIndexFieldNames("ID");
        src.SetDataSet(&t);
        t.Open();
        w.resize(500, 400);
        RegisterDBImageFormat("jpg", TGraphicClass::None);
        RegisterDBImageFormat("gif", TGraphicClass::None);
    }
    void TearDown() override
    {
        ClearNowForTests();
        t.Close();
        DbFixture::TearDown();
    }
    void showWindow()
    {
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(ShowActive(&w));
    }
    TxDBEdit *edit(const QString &field, int y)
    {
        auto *e = new TxDBEdit(&w);
        e->move(0, y);
        e->SetDataSource(&src);
        e->SetDataField(field);
        return e;
    }
    void storeBlob(int id, const QByteArray &bytes)
    {
        t.Locate("ID", id);
        t.Edit();
        t.FieldByName("OBR")->SetAsBytes(bytes);
        t.Post();
    }

    TIBTable t;
    TDataSource src;
    QWidget w;
};

QByteArray jpegBytes()
{
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    return EncodeJpeg(image);
}

// ---------------------------------------------------------------- TxDBEdit

TEST_F(Compound, EditShowsTypesAndWritesItsFieldAndEnterMovesOn)
{
    t.FieldByName("NAZOV")->SetDisplayLabel("Názov");
    TxDBEdit *nazov = edit("NAZOV", 0);
    TxDBEdit *druh = edit("DRUH", 30);
    druh->SetCharCase(ecUpperCase);
    showWindow();
    EXPECT_EQ(nazov->Caption(), "Názov") << "the caption comes from the field";
    EXPECT_EQ(nazov->GetEditText(), "Odliatok");
    TabTo(nazov);
    EXPECT_TRUE(nazov->Edit()->hasFocus()) << "focusing the control focuses its edit";
    nazov->Edit()->end(false);
    QTest::keyClicks(nazov->Edit(), " 7");
    QTest::keyClick(nazov->Edit(), Qt::Key_Return);
    EXPECT_TRUE(druh->Edit()->hasFocus()) << "Enter moves to the next control";
    QTest::keyClicks(druh->Edit(), "m");
    QTest::keyClick(druh->Edit(), Qt::Key_Up);
    EXPECT_TRUE(nazov->Edit()->hasFocus()) << "Up moves back";
    t.Post();
    EXPECT_EQ(value("select NAZOV from T_C where ID = 1").toString(), "Odliatok 7");
    EXPECT_EQ(value("select DRUH from T_C where ID = 1").toString(), "M") << "typed in the edit's character case";
    EXPECT_EQ(value("select MNOZ from T_C where ID = 1").toDouble(), 1234.5) << "the untouched field stays";
}

TEST_F(Compound, OwnKeyHandlerStopsEnterFromMovingTheFocus)
{
    TxDBEdit *nazov = edit("NAZOV", 0);
    edit("DRUH", 30);
    int keys = 0;
    nazov->OnKeyDown = [&](int &, Qt::KeyboardModifiers) { ++keys; };
    showWindow();
    TabTo(nazov);
    QTest::keyClick(nazov->Edit(), Qt::Key_Return);
    EXPECT_EQ(keys, 1);
    EXPECT_TRUE(nazov->Edit()->hasFocus());
}

TEST_F(Compound, OnAFormEnterGoesToTheOwnKeyHandlerOnly)
{
    TForm form;
    auto *nazov = new TxDBEdit(&form);
    nazov->SetDataSource(&src);
    nazov->SetDataField("NAZOV");
    auto *druh = new TxDBEdit(&form);
    druh->move(0, 30);
    druh->SetDataSource(&src);
    druh->SetDataField("DRUH");
    QList<int> keys;
    nazov->OnKeyDown = [&](int &key, Qt::KeyboardModifiers) { keys << key; };
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(ShowActive(&form));
    TabTo(nazov);
    QTest::keyClick(nazov->Edit(), Qt::Key_Return);
    EXPECT_TRUE(nazov->Edit()->hasFocus()) << "neither the edit nor the form moved on";
    QTest::keyClick(nazov->Edit(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(nazov->Edit()->hasFocus());
    EXPECT_EQ(keys, QList<int>({Qt::Key_Return, Qt::Key_Enter}));
    QTest::keyClick(nazov->Edit(), Qt::Key_End);
    QTest::keyClick(nazov->Edit(), Qt::Key_X);
    EXPECT_EQ(nazov->Edit()->text(), "Odliatokx") << "other keys still reach the edit";
    TabTo(druh);
    QTest::keyClick(druh->Edit(), Qt::Key_Return);
    EXPECT_FALSE(druh->Edit()->hasFocus()) << "an edit without its own handler moves on";
}

TEST_F(Compound, DateButtonOpensTheCalendarOnTodayForAnEmptyEditAndWritesTheChosenDay)
{
    SetNowForTests(QDateTime(QDate(2026, 5, 20), QTime(10, 0)));
    t.Last(); // D is null
    TxDBEdit *d = edit("D", 0);
    d->SetButtonStyle(bsDate);
    showWindow();
    ASSERT_TRUE(d->Button()->isVisible());
    EXPECT_EQ(d->Button()->geometry(), QRect(d->width() - 19, 0, 19, d->height()));
    QDate opened;
    WhenModal<TxCalendarForm>([&](TxCalendarForm *cal) {
        EXPECT_EQ(cal->windowTitle(), "Kalendár");
        opened = cal->Date();
        emit cal->Calendar()->clicked(QDate(2026, 5, 22));
    });
    QTest::mouseClick(d->Button(), Qt::LeftButton);
    EXPECT_EQ(opened, QDate(2026, 5, 20));
    EXPECT_EQ(t.State(), dsEdit);
    t.Post();
    EXPECT_EQ(value("select D from T_C where ID = 2").toDate(), QDate(2026, 5, 22));
}

TEST_F(Compound, ButtonHandlerReplacesTheCalendarAndTheCaptionClicksTheButton)
{
    TxDBEdit *d = edit("D", 0);
    d->SetButtonStyle(bsDate);
    int clicks = 0;
    d->OnButtonClick = [&](TxDBEdit *sender) {
        EXPECT_EQ(sender, d);
        ++clicks;
    };
    showWindow();
    QTest::mouseClick(d->Button(), Qt::LeftButton);
    QTest::mouseClick(d->Label(), Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    d->SetButtonStyle(bsNone);
    QTest::mouseClick(d->Label(), Qt::LeftButton);
    EXPECT_EQ(clicks, 2) << "without a button the caption does nothing";
}

TEST_F(Compound, EditLayoutByLabelPosition)
{
    TxDBEdit *e = edit("NAZOV", 0);
    e->SetCaption("Názov");
    e->SetButtonStyle(bsDots);
    e->Layout();
    EXPECT_EQ(e->Edit()->geometry(), QRect(80, 0, 201 - 80 - 19, 21));
    e->SetLabelPosition(lpTop);
    EXPECT_EQ(e->height(), 37);
    e->Layout();
    EXPECT_EQ(e->Label()->geometry(), QRect(0, 0, 201, 16));
    EXPECT_EQ(e->Edit()->geometry(), QRect(0, 16, 201 - 19, 21));
    EXPECT_EQ(e->Button()->geometry(), QRect(201 - 19, 16, 19, 21));
    e->SetCaption(QString(60, QLatin1Char('W')));
    EXPECT_EQ(e->LabelWidth(), 201) << "a top caption never widens the label beyond the control";
    e->SetCaption("Názov");
    e->SetLabelPosition(lpLeft);
    EXPECT_EQ(e->height(), 21);
    EXPECT_EQ(e->LabelWidth(), e->Label()->fontMetrics().horizontalAdvance("Názov") + 4)
        << "back on the left, the label fits its caption";
}

TEST_F(Compound, SetEditTextLeavesAReadOnlyEditAlone)
{
    TxDBEdit *e = edit("NAZOV", 0);
    e->SetReadOnly(true);
    e->SetEditText("iné");
    EXPECT_EQ(t.State(), dsBrowse);
    TxDBEdit unbound;
    unbound.SetEditText("nič"); // no field: nothing to write, no crash
}

// ---------------------------------------------------------------- TxDBText, TxDBLabel

TEST_F(Compound, TextShowsTheValueInItsDisplayFormat)
{
    auto *mnoz = new TxDBText(&w);
    mnoz->SetDataSource(&src);
    mnoz->SetDataField("MNOZ");
    mnoz->SetDisplayFormat("# ##0.00");
    auto *d = new TxDBText(&w);
    d->SetDataSource(&src);
    d->SetDataField("D");
    d->SetDisplayFormat("dd.mm.yyyy");
    TxDBLabel nazov;
    nazov.SetDataSource(&src);
    nazov.SetDataField("NAZOV");
    nazov.SetDisplayFormat(">L<lllllll");
    EXPECT_EQ(mnoz->Caption(), "MNOZ");
    EXPECT_EQ(mnoz->Value()->text(), "1 234,50");
    EXPECT_EQ(d->Value()->text(), "04.03.2026");
    EXPECT_EQ(nazov.text(), "Odliatok");
    mnoz->SetDisplayFormat("$");
    EXPECT_EQ(mnoz->Value()->text(), FormatCurr(1234.5));
    EXPECT_EQ(mnoz->focusPolicy(), Qt::NoFocus);

    t.Last();
    EXPECT_EQ(mnoz->Value()->text(), "") << "a null number is not shown as zero";
    EXPECT_EQ(d->Value()->text(), "") << "a null date is not shown as a date";
}

TEST_F(Compound, LabelHookMayChangeTheFont)
{
    TxDBLabel l;
    l.OnGetTextProp = [](TxDBLabel *, TField *f, QFont &font) { font.setBold(f && f->AsFloat() > 1000); };
    l.SetDataSource(&src);
    l.SetDataField("MNOZ");
    EXPECT_TRUE(l.font().bold());
    t.Last();
    EXPECT_FALSE(l.font().bold());
}

// ---------------------------------------------------------------- TxDBComboBox

TEST_F(Compound, ComboCodesSplitWhereTheLineParts)
{
    auto *c = new TxDBComboBox(&w);
    c->SetItems2({QString::fromUtf8("PN-1=Práceneschopnosť"), "D-2:x", QString::fromUtf8("OČR:Ošetrovanie")});
    EXPECT_EQ(c->Items2(),
              QStringList({QString::fromUtf8("PN-1-Práceneschopnosť"), "D-2:x", QString::fromUtf8("OČR-Ošetrovanie")}));
    EXPECT_EQ(c->Items(), QStringList({"PN-1", "D", QString::fromUtf8("OČR")}));
    c->SetDataSource(&src);
    c->SetDataField("NAZOV");
    showWindow();
    TabTo(c);
    QTest::keyClick(c, Qt::Key_Down);
    t.Post();
    EXPECT_EQ(value("select NAZOV from T_C where ID = 1").toString(), "PN-1");
    EXPECT_EQ(c->currentIndex(), 0) << "the stored code finds its line again";
}

TEST_F(Compound, ComboListsCodesWithTextsAndStoresTheCode)
{
    auto *c = new TxDBComboBox(&w);
    c->SetItems2({"M-Materiál", "N=Nástroj", "A:Alfa", "X"});
    EXPECT_EQ(c->Items2(), QStringList({"M-Materiál", "N-Nástroj", "A-Alfa", "-X"}));
    EXPECT_EQ(c->Items(), QStringList({"M", "N", "A", ""}));
    c->SetDataSource(&src);
    c->SetDataField("DRUH");
    showWindow();
    EXPECT_EQ(c->currentText(), "N-Nástroj") << "the CHAR code finds its line";
    TabTo(c);
    QTest::keyClick(c, Qt::Key_Down);
    EXPECT_EQ(c->currentText(), "A-Alfa");
    EXPECT_EQ(t.State(), dsEdit);
    t.Post();
    EXPECT_EQ(value("select DRUH from T_C where ID = 1").toString(), "A");
    t.Last();
    EXPECT_EQ(c->currentIndex(), -1) << "a null code shows no line";
}

// ---------------------------------------------------------------- TxDBDateEdit, TxDBMemo, TxPageControl

TEST_F(Compound, DateEditShowsTypesAndWritesItsDate)
{
    auto *d = new TxDBDateEdit(&w);
    auto *next = new TxDBEdit(&w);
    next->move(0, 40);
    d->SetDataSource(&src);
    d->SetDataField("D");
    EXPECT_EQ(d->text(), "4.3.2026") << "browsing shows the field's text";
    showWindow();
    TabTo(d);
    EXPECT_EQ(d->EditText(), "04.03.2026") << "editing shows the date in the mask";
    QTest::keyClicks(d, "5.4.2026");
    EXPECT_EQ(t.State(), dsEdit);
    EXPECT_EQ(d->Date(), QDate(2026, 4, 5));
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_EQ(d->Date(), QDate(2026, 3, 4)) << "Escape shows the field's value again";
    QTest::keyClicks(d, "5.4.2026");
    QTest::keyClick(d, Qt::Key_Return);
    EXPECT_TRUE(next->Edit()->hasFocus()) << "Enter moves on";
    EXPECT_EQ(d->text(), "5.4.2026");
    t.Post();
    EXPECT_EQ(value("select D from T_C where ID = 1").toDate(), QDate(2026, 4, 5));
}

TEST_F(Compound, DateEditOverAnEmptyDateShowsTodayAndWritesOnlyAChoice)
{
    SetNowForTests(QDateTime(QDate(2026, 5, 20), QTime(10, 0)));
    auto *d = new TxDBDateEdit(&w);
    auto *next = new TxDBEdit(&w);
    next->move(0, 40);
    d->SetDataSource(&src);
    d->SetDataField("D");
    next->SetDataSource(&src);
    next->SetDataField("NAZOV");
    showWindow();
    t.Last(); // D is null
    EXPECT_EQ(d->Date(), QDate(2026, 5, 20)) << "an empty date shows today";
    TabTo(d);
    QTest::keyClick(d, Qt::Key_Return);
    EXPECT_TRUE(next->Edit()->hasFocus());
    QTest::keyClicks(next->Edit(), "iny");
    QTest::keyClick(next->Edit(), Qt::Key_Return);
    t.Post();
    EXPECT_TRUE(value("select D from T_C where ID = 2").isNull()) << "passing through writes nothing";
    EXPECT_EQ(d->Date(), QDate(2026, 5, 20));

    // The day shown, chosen in the drop-down by keys, is a choice: it is written and the focus moves on.
    TabTo(d);
    QTest::keyClick(d, Qt::Key_F4);
    ASSERT_NE(d->Calendar(), nullptr);
    EXPECT_EQ(d->Calendar()->selectedDate(), QDate(2026, 5, 20));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(d->Calendar(), nullptr) << "the calendar closes on the chosen day";
    EXPECT_TRUE(next->Edit()->hasFocus());
    t.Post();
    EXPECT_EQ(value("select D from T_C where ID = 2").toDate(), QDate(2026, 5, 20));
}

TEST_F(Compound, MemoTakesItsCharacterCase)
{
    auto *m = new TxDBMemo(&w);
    m->CharCase = ecUpperCase;
    m->SetDataSource(&src);
    m->SetDataField("POZN");
    showWindow();
    TabTo(m);
    QTest::keyClicks(m, "liat");
    QTest::keyClick(m, Qt::Key_Return);
    QTest::keyClicks(m, "x");
    t.Post();
    EXPECT_EQ(value("select POZN from T_C where ID = 1").toString(), "LIAT\r\nX");
}

TEST_F(Compound, PageControlOpensOnItsFirstPage)
{
    auto *p = new TxPageControl(&w);
    p->addTab(new QWidget, "Prvá");
    p->addTab(new QWidget, "Druhá");
    p->setCurrentIndex(1);
    showWindow();
    EXPECT_EQ(p->currentIndex(), 0);
}

// ---------------------------------------------------------------- pictures

TEST_F(Compound, JpegInABlobIsShownOnceItsReaderIsRegistered)
{
    const QByteArray jpeg = jpegBytes();
    storeBlob(1, jpeg);
    EXPECT_TRUE(GraphicFromBlob(t.FieldByName("OBR")).IsEmpty()) << "no reader for jpg yet";
    RegisterDBImageFormat("jpg", TGraphicClass::Jpeg);
    t.Close();
    t.Open();
    TxDBImage img(&w);
    img.SetDataSource(&src);
    img.SetDataField("OBR");
    ASSERT_FALSE(img.Picture().IsEmpty());
    EXPECT_EQ(img.Picture().Format(), "jpg");
    EXPECT_EQ(img.Picture().Width(), 16);
    EXPECT_FALSE(img.pixmap().isNull());
    t.Next();
    EXPECT_TRUE(img.Picture().IsEmpty()) << "a null blob shows nothing";
    EXPECT_TRUE(GraphicFromBlob(t.FieldByName("NAZOV")).IsEmpty()) << "not a blob";
    EXPECT_TRUE(GraphicFromBlob(nullptr).IsEmpty());
}

TEST_F(Compound, PictureSetByTheUserIsStoredInItsOwnFormat)
{
    RegisterDBImageFormat("jpg", TGraphicClass::Jpeg);
    TxDBImage img(&w);
    img.SetDataSource(&src);
    img.SetDataField("OBR");
    TPicture jpeg;
    jpeg.LoadFromData(jpegBytes());
    img.SetPicture(jpeg);
    EXPECT_EQ(t.State(), dsEdit);
    t.Post();
    EXPECT_EQ(value("select OBR from T_C where ID = 1").toByteArray(), jpegBytes()) << "a JPEG stays the same JPEG";
    img.SetPicture(TPicture());
    t.Post();
    EXPECT_TRUE(value("select OBR from T_C where ID = 1").isNull()) << "an emptied picture clears the field";
}

TEST_F(Compound, BlobsOfShortOrUnknownOrBadBytes)
{
    storeBlob(1, "GIF8");
    EXPECT_TRUE(GraphicFromBlob(t.FieldByName("OBR")).IsEmpty()) << "gif without a reader";
    storeBlob(1, "GIF");
    EXPECT_THROW(GraphicFromBlob(t.FieldByName("OBR")), EInvalidGraphic)
        << "not longer than the magic: no entry matches, read as a bitmap";
    storeBlob(1, "BM");
    EXPECT_THROW(GraphicFromBlob(t.FieldByName("OBR")), EInvalidGraphic);
    storeBlob(1, "nonsense");
    EXPECT_THROW(GraphicFromBlob(t.FieldByName("OBR")), EInvalidGraphic) << "unknown bytes read as a bitmap";

    TxDBImage img(&w);
    img.SetDataSource(&src);
    img.SetDataField("OBR");
    EXPECT_TRUE(img.Picture().IsEmpty());
    EXPECT_FALSE(img.ErrorText().isEmpty()) << "the bad picture is reported in the control, browsing goes on";
    t.Next();
    EXPECT_TRUE(img.ErrorText().isEmpty());
}

TEST_F(Compound, PostingNeverClearsAPictureThatWasNotShown)
{
    const QByteArray jpeg = jpegBytes();
    storeBlob(1, jpeg);
    t.First();
    TxDBImage img(&w);
    img.SetDataSource(&src);
    img.SetDataField("OBR");
    EXPECT_TRUE(img.Picture().IsEmpty()) << "jpg has no reader: nothing shown";
    TxDBImage hidden(&w);
    hidden.SetAutoDisplay(false);
    hidden.SetDataSource(&src);
    hidden.SetDataField("OBR");
    EXPECT_FALSE(hidden.Loaded());
    t.Edit();
    t.FieldByName("NAZOV")->SetAsString("iný");
    t.Post();
    EXPECT_EQ(value("select OBR from T_C where ID = 1").toByteArray(), jpeg);
    RegisterDBImageFormat("jpg", TGraphicClass::Jpeg);
    hidden.SetAutoDisplay(true);
    EXPECT_FALSE(hidden.Picture().IsEmpty()) << "switching AutoDisplay on loads at once";
}

} // namespace
