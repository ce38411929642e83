// The calculation dialog driven offscreen: seeding from the route, from an earlier job or from the code
// lists, keys typed into its edits, OK that stores and prices the product back, a refused save that keeps
// the dialog open, and the route rewritten from the job.
#include "SalesFixture.h"
#include "common/PersonTyping.h"

#include "library/Buttons.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBLookupCombo.h"
#include "sales/ZakKalkForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class DialogTest : public SalesJobTest {
protected:
    void SetUp() override
    {
        SalesJobTest::SetUp();
        if (HasFatalFailure())
            return;
        exec("update POLOZKY set CENA_KALK=50 where C_POL='V1'");
    }
    void TearDown() override
    {
        delete ZakKalkForm;
        SalesTest::TearDown();
    }
    void route(int number, const char *code, double minutes, double loss, const char *postup = "")
    {
        exec(QStringLiteral("insert into TOPERACIE (C_VYR, POSTUP, C_OPERACIE, OPERACIA, POPIS_OP, PRACOVISKO, TARIF, "
                            "OSOBY, CAS_MEDZI, CAS_JED, P_STRATY, K_STRATY, NAVODKA) values ('V1', '%1', %2, '%3', "
                            "'popis', 'FORM', 'T5', 2, 5, %4, %5, 1, 'Návodka %2')")
                 .arg(QString::fromLatin1(postup), QString::number(number), QString::fromLatin1(code),
                      SqlFloat(minutes), SqlFloat(loss)));
    }
    // Runs the test's steps in the dialog once it shows, then shows the calculation of the job.
    void show(int job, std::function<void(TZakKalkForm &)> steps)
    {
        bool ran = false;
        std::function<void()> poll;
        poll = [&] {
            auto *form = qobject_cast<TZakKalkForm *>(QApplication::activeModalWidget());
            if (!form) {
                QTimer::singleShot(10, poll);
                return;
            }
            ran = true;
            steps(*form);
            closeLeftOpen(form);
        };
        QTimer::singleShot(10, poll);
        ShowCalculation(job);
        EXPECT_TRUE(ran);
    }
    // A dialog the steps left open is cancelled from its first page.
    static void closeLeftOpen(QPointer<TZakKalkForm> form)
    {
        QTimer::singleShot(20, [form] {
            if (!form || !form->isVisible())
                return;
            form->pcZakKalk->setCurrentIndex(0);
            form->BtnNezapis->click();
            closeLeftOpen(form);
        });
    }
    double field(const char *name) { return odbyt->QvZakKalk.FieldByName(QString::fromLatin1(name))->AsFloat(); }
    double stored(const char *name)
    {
        return value(QStringLiteral("select %1 from ZAKKALK where C_INT=260001").arg(QLatin1String(name))).toDouble();
    }
    // The text a header field's data text or edit shows.
    static QString shownText(TZakKalkForm &form, const char *name)
    {
        QWidget *w = form.FieldControl(QString::fromLatin1(name));
        if (auto *label = qobject_cast<QLabel *>(w))
            return label->text();
        auto *edit = qobject_cast<QLineEdit *>(w);
        return edit ? edit->text() : QStringLiteral("?");
    }
    // Runs what the events queued so far do (a close the click asked for among them), so the test looks at the
    // dialog as the user would see it next.
    static void settle() { QCoreApplication::processEvents(); }
    // Presses the button with its Alt key in the focused control and waits until the click it starts has run;
    // false (at once) when the key pressed no button.
    static bool pressAlt(QAbstractButton *button, Qt::Key key)
    {
        bool clicked = false;
        const auto c = QObject::connect(
            button, &QAbstractButton::clicked, button, [&clicked] { clicked = true; }, Qt::QueuedConnection);
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        const bool pressed = button->isDown();
        if (pressed)
            WaitFor("the click the Alt key started has run", [&clicked] { return clicked; });
        QObject::disconnect(c);
        return pressed;
    }
};

TEST_F(DialogTest, SeededFromTheRouteTypedAndStored)
{
    route(10, "FOR", 30, 2);
    route(20, "CIS", 60, 0);
    route(30, "KON", 6, 5);
    show(260001, [&](TZakKalkForm &form) {
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Kalkulácia k zákazke č.260001"));
        EXPECT_EQ(form.pcZakKalk->currentIndex(), 0);
        EXPECT_TRUE(form.btnPocitajOdUVN1->isChecked());
        EXPECT_TRUE(responder->Messages.isEmpty()); // no earlier job to ask about
        // Losses 2 %, 0 % and 5 % carry the losses of the operations after them.
        TxTable &ops = odbyt->QZakOperacie;
        ops.First();
        EXPECT_NEAR(ops.FieldByName("P_STRATY")->AsFloat(), 7.1, 1e-9);
        EXPECT_DOUBLE_EQ(ops.FieldByName("MZDA")->AsFloat(), 3.0); // by the tariff
        EXPECT_DOUBLE_EQ(ops.FieldByName("VYRREZ")->AsFloat(), 1.5);
        ops.Next();
        EXPECT_NEAR(ops.FieldByName("P_STRATY")->AsFloat(), 5.0, 1e-9);
        ops.Next();
        EXPECT_NEAR(ops.FieldByName("P_STRATY")->AsFloat(), 5.0, 1e-9);
        EXPECT_DOUBLE_EQ(field("MZD1"), 9.6);
        EXPECT_EQ(odbyt->QZakKalkO.RecordCount(), 2); // every other-cost type, worth 0
        EXPECT_TRUE(form.lCENA_PRED->text().contains(QString::fromUtf8("80,00")));

        type(form.FieldControl("VAHA1"), QStringLiteral("20"));
        EXPECT_DOUBLE_EQ(field("VAHA1"), 20.0);
        EXPECT_DOUBLE_EQ(field("MAT_NW1"), 32.0);
        type(form.eCENA1c, QStringLiteral("115"));
        EXPECT_FALSE(form.lMZD1c->text().isEmpty());
        QTest::mouseClick(form.BtnZapis, Qt::LeftButton);
        EXPECT_EQ(form.ModalResult(), mrOk);
    });
    EXPECT_EQ(count("select count(*) from ZAKKALK where C_INT=260001"), 1);
    EXPECT_DOUBLE_EQ(value("select VAHA1 from ZAKKALK where C_INT=260001").toDouble(), 20.0);
    EXPECT_EQ(count("select count(*) from ZAKOPERACIE where C_INT=260001"), 3);
    EXPECT_EQ(count("select count(*) from ZAKKALKD"), 0); // lines of no value are not kept
    const double ownCosts = value("select NAKL1 from ZAKKALK where C_INT=260001").toDouble();
    EXPECT_DOUBLE_EQ(value("select CENA_KALK from POLOZKY where C_POL='V1'").toDouble(), ownCosts);
    EXPECT_FALSE(odbyt->QvZakKalk.Active());
}

TEST_F(DialogTest, EarlierJobTakenOverWithoutChainingItsLossesAgain)
{
    job(260005, "ZAK260001", "V1", 10, 1, "2026-02-01");
    exec("insert into ZAKKALK (C_INT, CENA_MAT, CENA1, OVN1, MIM1, KURZ, CENA_KURZ1, MENA) "
         "values (260005, 1.5, 99, 2, 1, 25, 2500, 'CZK')");
    exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, CAS_JED, MZDA, P_STRATY) values (260005, 10, 'FOR', "
         "30, 3, 7.1)");
    exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, CAS_JED, MZDA, P_STRATY) values (260005, 20, 'CIS', "
         "60, 6, 5)");
    exec("insert into ZAKKALKD (C_INT, TYP_NAKL, NAKLAD, HODNOTA) values (260005, 'M', 'ZIH', 4)");
    responder->MessageAnswers.push_back(mrYes);
    show(260001, [&](TZakKalkForm &form) {
        ASSERT_EQ(responder->Messages.size(), 1);
        EXPECT_EQ(responder->Messages[0].Caption, QString::fromUtf8("Otázka"));
        EXPECT_TRUE(responder->Messages[0].Text.startsWith(QString::fromUtf8(
            "Prevziať kalkuláciu z poslednej zákazky ?\r č.Objednávky ZAK260001 , č.Zákazky 260005")));
        EXPECT_EQ(odbyt->QvZakKalk.FieldByName("MENA")->AsString(), "CZK");
        EXPECT_DOUBLE_EQ(field("KURZ"), 25.0);
        EXPECT_TRUE(form.btnPocitajOdCENA_KURZ1->isChecked()); // a foreign price was taken over
        EXPECT_EQ(form.lZmena_Ceny_mat->text(), QStringLiteral("+0,10"));
        odbyt->QZakOperacie.First();
        EXPECT_NEAR(odbyt->QZakOperacie.FieldByName("P_STRATY")->AsFloat(), 7.1, 1e-9); // not 12.455
        EXPECT_EQ(odbyt->QZakKalkM.RecordCount(), 1);
    });
    EXPECT_EQ(count("select count(*) from ZAKKALK where C_INT=260001"), 0); // cancelled

    responder->MessageAnswers.push_back(mrNo);
    show(260001, [&](TZakKalkForm &form) {
        // Not taken over: the code list's operations, no external costs, the price change still shown.
        EXPECT_EQ(odbyt->QZakOperacie.RecordCount(), 2);
        EXPECT_EQ(odbyt->QZakKalkM.RecordCount(), 0);
        EXPECT_DOUBLE_EQ(field("KURZ"), 1.0);
        EXPECT_EQ(form.lZmena_Ceny_mat->text(), QStringLiteral("+0,10"));
    });
}

TEST_F(DialogTest, RefusedSaveKeepsTheDialogOpen)
{
    route(10, "FOR", 30, 0);
    show(260001, [&](TZakKalkForm &form) {
        type(form.FieldControl("VAHA1"), QStringLiteral("20"));
        TxTable &ops = odbyt->QZakOperacie;
        ops.Append();
        ops.FieldByName("C_OPERACIE")->SetValue(10); // the number twice
        ops.FieldByName("CAS_JED")->SetValue(5);
        ops.Post();
        QTest::mouseClick(form.BtnZapis, Qt::LeftButton);
        settle();
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.ModalResult(), mrNone);
        ASSERT_EQ(responder->Messages.size(), 1);
        EXPECT_TRUE(responder->Messages.last().Text.contains(QString::fromUtf8("duplicitným")));
        EXPECT_EQ(static_cast<TDBEdit *>(form.FieldControl("VAHA1"))->text(), "20");
        EXPECT_EQ(count("select count(*) from ZAKKALK"), 0);
        EXPECT_DOUBLE_EQ(field("VAHA1"), 20.0);
        EXPECT_EQ(odbyt->QvZakKalk.State(), dsEdit);
        ops.Last();
        ops.Edit();
        ops.FieldByName("C_OPERACIE")->SetValue(20);
        ops.Post();
        QTest::mouseClick(form.BtnZapis, Qt::LeftButton);
        EXPECT_EQ(form.ModalResult(), mrOk);
    });
    EXPECT_EQ(count("select count(*) from ZAKOPERACIE"), 2);
    EXPECT_DOUBLE_EQ(value("select VAHA1 from ZAKKALK").toDouble(), 20.0);
}

// A new calculation prices from its costs; a foreign price typed over it shows the price it gives, and OK
// stores that price: the empty cost lines dropped on saving leave the figures alone.
TEST_F(DialogTest, OkStoresTheForeignPriceTheDialogShowed)
{
    route(10, "FOR", 30, 0);
    route(20, "CIS", 60, 0);
    QStringList shown;
    show(260001, [&](TZakKalkForm &form) {
        ASSERT_TRUE(form.btnPocitajOdUVN1->isChecked());
        ASSERT_EQ(odbyt->QZakKalkO.RecordCount(), 2); // the other-cost types, worth 0
        type(form.FieldControl("KURZ"), QStringLiteral("30"));
        type(form.FieldControl("CENA_KURZ1"), QStringLiteral("3000"));
        EXPECT_DOUBLE_EQ(field("CENA1"), 100.0);
        EXPECT_NEAR(field("ZISK1"), 100.0 - field("UVN1"), 1e-9);
        for (const char *name : {"CENA1", "ZISK1", "P_ZISKU", "UVN1", "CENA_KURZ1"})
            shown << shownText(form, name);
        EXPECT_TRUE(form.btnPocitajOdUVN1->isChecked()) << "the mode is not changed by typing";
        QTest::mouseClick(form.BtnZapis, Qt::LeftButton);
        settle();
        EXPECT_FALSE(form.isVisible());
    });
    EXPECT_DOUBLE_EQ(stored("CENA_KURZ1"), 3000.0);
    EXPECT_DOUBLE_EQ(stored("CENA1"), 100.0);
    show(260001, [&](TZakKalkForm &form) {
        QStringList again;
        for (const char *name : {"CENA1", "ZISK1", "P_ZISKU", "UVN1", "CENA_KURZ1"})
            again << shownText(form, name);
        EXPECT_EQ(again, shown) << "stored as shown";
        EXPECT_TRUE(form.btnPocitajOdCENA_KURZ1->isChecked()) << "a stored foreign price opens priced from it";
    });
    EXPECT_EQ(count("select count(*) from ZAKKALKD"), 0);
}

// Letters left in a number edit: OK, clicked or pressed with its key, says so once and leaves the dialog open
// with the text as typed and nothing stored; the corrected value is stored.
TEST_F(DialogTest, LettersInANumberKeepTheDialogOpenWithTheText)
{
    route(10, "FOR", 30, 0);
    show(260001, [&](TZakKalkForm &form) {
        auto *net = static_cast<TDBEdit *>(form.FieldControl("VAHA1"));
        QApplication::setActiveWindow(&form);
        TabTo(net);
        QTest::keyClicks(net, "1x2");
        QTest::mouseClick(form.BtnZapis, Qt::LeftButton);
        settle();
        EXPECT_TRUE(form.isVisible()) << "closed as if stored";
        EXPECT_EQ(form.ModalResult(), mrNone);
        ASSERT_EQ(responder->Messages.size(), 1) << responder->Texts().join("; ").toStdString();
        EXPECT_TRUE(responder->Messages[0].Text.contains("1x2"));
        EXPECT_EQ(net->text(), "1x2");
        EXPECT_EQ(count("select count(*) from ZAKKALK"), 0);

        TabTo(net);
        settle();
        ASSERT_TRUE(pressAlt(form.BtnZapis, Qt::Key_Z));
        settle();
        EXPECT_TRUE(form.isVisible()) << "closed as if stored";
        EXPECT_EQ(responder->Messages.size(), 2) << "said once for the key";
        EXPECT_EQ(net->text(), "1x2");
        EXPECT_TRUE(net->hasFocus()) << "back in the edit for the correction";
        EXPECT_EQ(count("select count(*) from ZAKKALK"), 0);

        QTest::keyClicks(net, "12");
        ASSERT_TRUE(pressAlt(form.BtnZapis, Qt::Key_Z));
        settle();
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.ModalResult(), mrOk);
    });
    EXPECT_EQ(responder->Messages.size(), 2);
    EXPECT_DOUBLE_EQ(stored("VAHA1"), 12.0);
}

TEST_F(DialogTest, RouteRewrittenFromTheJobKeepsItsOwnColumns)
{
    route(10, "FOR", 30, 2);
    route(20, "CIS", 60, 0);
    route(10, "FOR", 40, 0, "A"); // another route
    show(260001, [&](TZakKalkForm &form) {
        TxTable &ops = odbyt->QZakOperacie;
        ops.First();
        ops.Edit();
        ops.FieldByName("CAS_JED")->SetValue(45);
        ops.Post();
        ops.Last();
        ops.Delete();
        ops.Append();
        ops.FieldByName("C_OPERACIE")->SetValue(30);
        ops.FieldByName("OPERACIA")->SetValue("KON");
        ops.FieldByName("CAS_JED")->SetValue(6);
        ops.Post();
        form.pcZakKalk->setCurrentIndex(1);
        form.cbAktualizovatVyrobok->setChecked(true);
        QTest::mouseClick(form.BtnZapis, Qt::LeftButton);
    });
    EXPECT_EQ(count("select count(*) from TOPERACIE where C_VYR='V1'"), 2);
    EXPECT_EQ(count("select count(*) from TOPERACIE where POSTUP='A'"), 0);
    EXPECT_DOUBLE_EQ(value("select CAS_JED from TOPERACIE where C_OPERACIE=10").toDouble(), 45.0);
    EXPECT_EQ(value("select NAVODKA from TOPERACIE where C_OPERACIE=10").toString(), QString::fromUtf8("Návodka 10"));
    EXPECT_EQ(count("select OSOBY from TOPERACIE where C_OPERACIE=10"), 2);
    EXPECT_DOUBLE_EQ(value("select CAS_MEDZI from TOPERACIE where C_OPERACIE=10").toDouble(), 5.0);
    EXPECT_NEAR(value("select P_STRATY from TOPERACIE where C_OPERACIE=10").toDouble(), 2.0, 1e-9);
    EXPECT_EQ(value("select OPERACIA from TOPERACIE where C_OPERACIE=30").toString(), "KON");
}

TEST_F(DialogTest, EmptyCalculationDeletedLeavesTheProductPrice)
{
    exec("delete from COPERACII");
    exec("delete from CNAKLADOV");
    show(260001, [&](TZakKalkForm &form) {
        type(form.FieldControl("KURZ"), QStringLiteral("0"));
        type(form.FieldControl("VAHA1"), QStringLiteral("0"));
        type(form.FieldControl("VAHA_MAT"), QStringLiteral("0"));
        EXPECT_DOUBLE_EQ(field("NAKL1"), 0.0);
        QTest::mouseClick(form.BtnZapis, Qt::LeftButton);
        EXPECT_EQ(form.ModalResult(), mrOk);
    });
    EXPECT_EQ(count("select count(*) from ZAKKALK"), 0);
    // Before, the own costs of the deleted calculation, 0, became the product's price.
    EXPECT_DOUBLE_EQ(value("select CENA_KALK from POLOZKY where C_POL='V1'").toDouble(), 50.0);
}

TEST_F(DialogTest, OfferItemAndClosingFromAnotherPage)
{
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB) values ('PON260001', 'P', 0)");
    job(-260001, "PON260001", "V1");
    route(10, "FOR", 30, 0);
    show(-260001, [&](TZakKalkForm &form) {
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Kalkulácia k ponuke č.260001"));
        form.pcZakKalk->setCurrentIndex(2);
        form.close();
        QApplication::processEvents();
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.pcZakKalk->currentIndex(), 0);
        QTest::mouseClick(form.BtnZapis, Qt::LeftButton);
    });
    EXPECT_EQ(count("select count(*) from ZAKKALK where C_INT=-260001"), 1);
    EXPECT_DOUBLE_EQ(value("select CENA_KALK from POLOZKY where C_POL='V1'").toDouble(), 50.0);
}

TEST_F(DialogTest, MaterialAndCurrencyChosenFromTheirCodeLists)
{
    exec("insert into CSTATOV (STAT, NAZOV_STATU, MENA) values ('SK', 'Slovensko', 'EUR')");
    exec("insert into CSTATOV (STAT, NAZOV_STATU, MENA) values ('CZ', 'Česko', 'CZK')");
    show(260001, [&](TZakKalkForm &form) {
        TDBLookupCombo *material = form.DBcbCMaterialov;
        TDBLookupCombo *currency = form.DBcbCStatov;
        EXPECT_FALSE(material->isEditable()) << "only codes of the list";
        EXPECT_GE(material->findText("GJL-250", Qt::MatchStartsWith), 0);
        EXPECT_GE(material->findText("GJS-400       T"), 0);
        ASSERT_GE(currency->findText("CZK"), 0);
        EXPECT_EQ(material->currentText().trimmed(), "GJL-250") << "the job's material shows";
        QApplication::setActiveWindow(&form);
        TabTo(currency);
        QApplication::processEvents();
        // Down from the current code until the list's CZK, as the user moves in the closed list.
        for (int i = 0; i < currency->count() && currency->currentText() != "CZK"; ++i)
            QTest::keyClick(currency, currency->currentIndex() < currency->findText("CZK") ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(currency, Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(odbyt->QvZakKalk.FieldByName("MENA")->AsString(), "CZK");
        QTest::mouseClick(form.BtnZapis, Qt::LeftButton);
    });
    EXPECT_EQ(value("select MENA from ZAKKALK where C_INT=260001").toString(), "CZK");
}

// The price in the currency typed and "Od ceny v mene" clicked at once (the tool button takes no focus): the
// price is worked out from the price on the screen, not from the one before it.
TEST_F(DialogTest, APriceTypedAndComputedAtOnceIsThePriceComputedFrom)
{
    show(260001, [&](TZakKalkForm &form) {
        ASSERT_TRUE(TabTo(form.FieldControl("CENA_KURZ1")));
        Type("321");
        ClickOn(form.btnPocitajOdCENA_KURZ1);
        EXPECT_DOUBLE_EQ(field("CENA_KURZ1"), 321.0);
        ASSERT_DOUBLE_EQ(field("KURZ"), 1.0);
        EXPECT_NEAR(field("CENA1"), 321.0 + field("PRID_MAT1") + field("PRID_DOP1"), 0.005);
        EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    });
}
