// The pick lists: a typed number that identifies one row is taken without the list, otherwise the list is
// shown, filtered by typed text (as text, whatever it holds) and the picked value is written back.
#include "common/PersonTyping.h"
#include "CisFixture.h"

#include "common/PersonTyping.h"
#include "common/WhenModal.h"

#include "library/xDBGrid.h"
#include "shell/CodeListModule.h"
#include "shell/MenuHooks.h"
#include "shell/Startup.h"
#include "platform/ui/BitBtn.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class PickTest : public CisTest {
protected:
    void SetUp() override
    {
        CisTest::SetUp();
        if (HasFatalFailure())
            return;
        for (const char *row : {"('V12', 'V', 'Koleso', 'O''Brien')", "('V120', 'V', 'Koleso veľké', 'B')",
                                "('V2', 'V', 'Hriadeľ', 'C')", "('M5', 'M', 'Oceľ', 'D')"})
            exec(QStringLiteral("insert into POLOZKY (C_POL, TYP1, NAZOV, POPIS) values ") + QString::fromUtf8(row));
        for (const char *row : {"(1, 'Zlievareň a.s.', 12345678, 'Košice')", "(2, 'Strojáreň', 87654321, 'Brezno')",
                                "(3, 'O''Neil s.r.o.', 11111111, 'Martin')", "(-1, 'Provizórny', 0, 'Martin')"})
            exec(QStringLiteral("insert into CODBERATELOV (C_ODB, ODBERATEL, ICO, MESTO) values ") +
                 QString::fromUtf8(row));
        for (const char *row : {"(7, 'Novák', 'ZV')", "(12, 'Kováč', 'SL')", "(30, 'Hudák', 'ZV')"})
            exec(QStringLiteral("insert into CZAMESTNANCOV (OSC, PRIEZVISKO, PROFESIA) values ") +
                 QString::fromUtf8(row));
        // A writable row whose fields receive picked values.
        target.Name = "Target";
        target.SetDatabase(&DMZal->DBZAL);
        target.SetTableName("CODBERATELOV");
        target.Open();
        target.Append();
        target.FieldByName("C_ODB")->SetValue(99);
    }
    void TearDown() override
    {
        target.Close();
        CisTest::TearDown();
    }
    TxTable target;
};

TEST_F(PickTest, TypedItemNumberIsTakenEvenWhenItBeginsAnother)
{
    QString code = "V12";
    EXPECT_TRUE(PickItem(code, 'V')) << "V12 and V120 are found, V12 is the typed number itself";
    EXPECT_EQ(code, "V12");
    code = "M5";
    EXPECT_TRUE(PickItem(code, '_'));
    EXPECT_EQ(code, "M5");
}

TEST_F(PickTest, ANumberBeginningManyItemsShowsTheListWithoutReadingItWhole)
{
    exec("execute block as declare i integer = 100; begin while (i < 400) do begin "
         "insert into POLOZKY (C_POL, TYP1, NAZOV) values ('K' || :i, 'V', 'Kryt'); i = i + 1; end end");
    QString code = "K";
    int held = 0;
    CloseModal(mrCancel, [&](QWidget *) { held = DMCis->QPolozky.FetchedCount(); });
    EXPECT_FALSE(PickItem(code, 'V')) << "300 items begin with K: the list is offered";
    EXPECT_GT(held, 0);
    EXPECT_LT(held, 300) << "telling one row from several reads two, the list reads its screen";
    code = "K123";
    EXPECT_TRUE(PickItem(code, 'V')) << "exactly one";
    EXPECT_EQ(code, "K123");
}

TEST_F(PickTest, ItemListFiltersAndReturnsThePick)
{
    QString code = "V1"; // two rows, neither is V1
    CloseModal(mrOk, [](QWidget *) {
        TCisPolForm &f = *CisPolForm;
        EXPECT_EQ(rows(DMCis->QPolozky), 2);
        f.eNAZOV->setText(QString::fromUtf8("veľk"));
        click(f.BtnFilter);
        EXPECT_EQ(rows(DMCis->QPolozky), 1);
        EXPECT_TRUE(f.eNAZOV->text().isEmpty()) << "the filter edits are cleared";
    });
    EXPECT_TRUE(PickItem(code, 'V'));
    EXPECT_EQ(code, "V120");

    // Typed apostrophes and SQL stay text; the type mask still applies.
    QString other = "X";
    CloseModal(mrOk, [](QWidget *) {
        TCisPolForm &f = *CisPolForm;
        EXPECT_EQ(rows(DMCis->QPolozky), 3) << "the products";
        f.ePOPIS->setText("O'Br");
        click(f.BtnFilter);
        EXPECT_EQ(rows(DMCis->QPolozky), 1);
        f.eNAZOV->setText("x' or '1'='1");
        click(f.BtnFilter);
        EXPECT_TRUE(DMCis->QPolozky.IsEmpty());
        f.eC_POL->setText("V2");
        click(f.BtnFilter);
    });
    EXPECT_TRUE(PickItem(other, 'V'));
    EXPECT_EQ(other, "V2");
}

TEST_F(PickTest, CancelledItemPickWritesNothingBackButTheTypedText)
{
    QString code = "Q";
    CloseModal(mrCancel);
    EXPECT_FALSE(PickItem(code, 'V'));
    EXPECT_EQ(code, "Q");
    TField *field = target.FieldByName("ODBERATEL");
    field->SetValue("ZZ");
    CloseModal(mrCancel);
    EXPECT_FALSE(PickAnyItemForField(field));
    EXPECT_EQ(field->AsString(), "ZZ");
    CloseModal(mrOk, [](QWidget *) { DMCis->QPolozky.Locate("C_POL", "M5                "); });
    EXPECT_TRUE(PickAnyItemForField(field));
    EXPECT_EQ(field->AsString(), "M5") << "the picked value in the calling field";
}

TEST_F(PickTest, ItemFilterRefusesACustomerNumberThatIsNoNumber)
{
    TTestResponder answers;
    QString code;
    CloseModal(mrCancel, [](QWidget *) {
        CisPolForm->eC_ODB->setText("abc");
        click(CisPolForm->BtnFilter);
    });
    EXPECT_FALSE(PickItem(code, '_'));
    ASSERT_EQ(answers.Messages.size(), 1);
}

TEST_F(PickTest, CustomerByNumberRegistrationNumberOrName)
{
    TField *number = target.FieldByName("C_ODB");
    TField *name = target.FieldByName("ODBERATEL");
    number->SetValue(2);
    EXPECT_TRUE(PickCustomerForField(number, name, false));
    EXPECT_EQ(name->AsString(), QString::fromUtf8("Strojáreň"));
    number->SetValue(12345678);
    EXPECT_TRUE(PickCustomerForField(number, name, false)) << "a large number is the registration number";
    EXPECT_EQ(number->AsInteger(), 1);
    EXPECT_EQ(name->AsString(), QString::fromUtf8("Zlievareň a.s."));
    number->SetValue(0);
    name->SetValue("O'Ne");
    EXPECT_TRUE(PickCustomerForField(number, name, false)) << "a name with an apostrophe";
    EXPECT_EQ(number->AsInteger(), 3);

    // Several by the city: the list, with the provisional customer only when allowed.
    CloseModal(mrOk, [](QWidget *) {
        EXPECT_EQ(rows(DMCis->QOdberatelia), 4) << "no name: the whole table";
        CisOdbForm->eMESTO->setText("Mart");
        click(CisOdbForm->BtnFilter);
        EXPECT_EQ(rows(DMCis->QOdberatelia), 1) << "no provisional customers";
        EXPECT_EQ(DMCis->QOdberatelia.FieldByName("C_ODB")->AsInteger(), 3);
    });
    number->SetValue(0);
    name->SetValue("");
    EXPECT_TRUE(PickCustomer(number, name, false));
    EXPECT_EQ(number->AsInteger(), 3);
}

// A filter field marked to filter on leaving does so when Tab leaves it; the focus leaving any other control
// of the window (a button, the grid) is no filter field's and changes nothing.
TEST_F(PickTest, LeavingAFilterFieldFiltersAndLeavingOtherControlsDoesNot)
{
    TField *number = target.FieldByName("C_ODB");
    TField *name = target.FieldByName("ODBERATEL");
    int shown = -1, afterButtons = -1;
    CloseModal(mrCancel, [&](QWidget *form) {
        QApplication::setActiveWindow(form);
        ASSERT_TRUE(ShowActive(form));
        ClickOn(CisOdbForm->eMESTO);
        QTest::keyClicks(CisOdbForm->eMESTO, "Brez");
        QTest::keyClick(CisOdbForm->eMESTO, Qt::Key_Tab);
        shown = rows(DMCis->QOdberatelia);
        QWidget *from = QApplication::focusWidget();
        ASSERT_NE(from, CisOdbForm->eMESTO);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        TabTo(CisOdbForm->Grid);
        TabTo(CisOdbForm->BtnVyber);
        afterButtons = rows(DMCis->QOdberatelia);
    });
    number->SetValue(0);
    name->SetValue("");
    EXPECT_FALSE(PickCustomer(number, name, false));
    EXPECT_EQ(shown, 1) << "Brezno only";
    EXPECT_EQ(afterButtons, 1) << "the field keeps the text it filters by: the filter stands";
}

// The filter edits show what the list is filtered by, also a name typed where the pick started; emptied, the
// list is no longer filtered.
TEST_F(PickTest, TheEditsShowTheFilterAndBlankEditsMeanNoFilter)
{
    exec("insert into CODBERATELOV (C_ODB, ODBERATEL, ICO, MESTO) values (4, 'Strojárne Martin', 22222222, 'Martin')");
    const auto empty = [](QLineEdit *edit) {
        ClickOn(edit);
        Press(Qt::Key_A, Qt::ControlModifier);
        Press(Qt::Key_Backspace);
    };
    QStringList steps;
    WhenModal<TCisOdbForm>([&](TCisOdbForm *f) {
        ASSERT_TRUE(ShowActive(f));
        steps << QStringLiteral("%1 %2").arg(f->eODBERATEL->text()).arg(rows(DMCis->QOdberatelia));
        empty(f->eODBERATEL);
        Press(Qt::Key_Tab);
        steps << QStringLiteral("blank %1").arg(rows(DMCis->QOdberatelia));
        ClickOn(f->eMESTO);
        Type("Brez");
        ClickOn(f->BtnFilter);
        steps << QStringLiteral("%1 %2").arg(f->eMESTO->text()).arg(rows(DMCis->QOdberatelia));
        empty(f->eMESTO);
        ClickOn(f->BtnFilter);
        steps << QStringLiteral("blank %1").arg(rows(DMCis->QOdberatelia));
        f->SetModalResult(mrCancel);
    });
    TField *number = target.FieldByName("C_ODB");
    TField *name = target.FieldByName("ODBERATEL");
    number->SetValue(0);
    name->SetValue("Stroj");
    EXPECT_FALSE(PickCustomer(number, name, false));
    // Four ordinary customers; the provisional one is not listed.
    EXPECT_EQ(steps, QStringList({"Stroj 2", "blank 4", "Brez 1", "blank 4"}));
}

TEST_F(PickTest, NewCustomerFromThePickList)
{
    TTestResponder answers;
    answers.InputAnswers = {QString::fromUtf8("Nový odberateľ s.r.o."), QVariant()};
    CloseModal(mrOk, [](QWidget *) {
        CisOdbForm->NegativeNumbers = true;
        click(CisOdbForm->BtnNovy);
        click(CisOdbForm->BtnNovy); // cancelled
    });
    EXPECT_TRUE(PickCustomerAll());
    EXPECT_EQ(count("select count(*) from CODBERATELOV where C_ODB=-2"), 1) << "a provisional number";
    EXPECT_EQ(count("select count(*) from CODBERATELOV"), 5);
}

TEST_F(PickTest, EmployeeCheckAndPick)
{
    TField *field = target.FieldByName("ICO");
    field->SetValue(12);
    CheckEmployee(field);
    EXPECT_EQ(EmployeeSurname, QString::fromUtf8("Kováč"));
    EXPECT_EQ(EmployeeProfession, "SL");
    field->SetValue(99);
    try {
        CheckEmployee(field);
        FAIL() << "an unknown employee passed";
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message, QString::fromUtf8("Pracovník s os.číslom 99 nie je evidovaný"));
    }
    // Every number is a value of one prepared statement, never a text of its own.
    const long long prepared = fb::Statement::Prepares();
    for (const int osc : {30, 7, 12}) {
        field->SetValue(osc);
        CheckEmployee(field);
    }
    EXPECT_EQ(fb::Statement::Prepares(), prepared);
    EXPECT_EQ(EmployeeSurname, QString::fromUtf8("Kováč"));
    field->SetValue(99);

    // An unknown number shows every employee; the pick goes into the field.
    CloseModal(mrOk, [](QWidget *) {
        EXPECT_EQ(rows(DMCis->QZamestnanci), 3);
        DMCis->QZamestnanci.Locate("OSC", 30);
    });
    EXPECT_TRUE(PickEmployeeForField(field));
    EXPECT_EQ(field->AsInteger(), 30);
    EXPECT_EQ(EmployeeSurname, QString::fromUtf8("Hudák"));
    int n = 7;
    EXPECT_TRUE(PickEmployee(n)) << "a known number needs no list";
    EXPECT_EQ(EmployeeSurname, QString::fromUtf8("Novák"));
    CloseModal(mrCancel);
    n = 5;
    EXPECT_FALSE(PickEmployee(n));
    EXPECT_EQ(n, 5);
}

class OrderPickTest : public PickTest {
protected:
    void SetUp() override
    {
        PickTest::SetUp();
        if (HasFatalFailure())
            return;
        exec("insert into ZAKAZKY (C_OBJ, C_ODB, ODBERATEL) values ('OBJ/1', 1, 'Zlievareň a.s.')");
        exec("insert into ZAKAZKY (C_OBJ, C_ODB, ODBERATEL) values ('OBJ/2', 2, 'Strojáreň')");
        for (const char *row : {"(260015, 'OBJ/1', 'V12', 5)", "(250015, 'OBJ/1', 'V2', 100)",
                                "(260016, 'OBJ/2', 'V120', 95)", "(260017, 'OBJ/2', 'V12', 40)"})
            exec(QStringLiteral("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, STAV_ZAK) values ") + row);
    }
};

TEST_F(OrderPickTest, ShortJobNumberTakesThisYear)
{
    TField *field = target.FieldByName("ICO");
    field->SetValue(15);
    EXPECT_TRUE(PickOrderForField(field, QString(), QString(), 0)) << "15 in 2026 is job 260015, no list";
    EXPECT_EQ(field->AsInteger(), 260015);
}

TEST_F(OrderPickTest, JobListByProductViewAndFilter)
{
    TField *field = target.FieldByName("ICO");
    field->SetValue(0);
    CloseModal(mrOk, [](QWidget *) {
        TxQuery &q = DMCis->QvZakazkyD;
        EXPECT_EQ(rows(q), 2) << "the jobs of product V12";
        EXPECT_EQ(q.FieldByName(QString::fromUtf8("Ešte vyrobiť"))->DisplayLabel(), QString::fromUtf8("Ešte vyrobiť"));
        CisZakForm->cbPohlad->setCurrentIndex(1);
        CisZakForm->ViewChanged();
        EXPECT_EQ(rows(q), 1) << "handed over";
        CisZakForm->eNAZOV->setText("x' or '1'='1");
        click(CisZakForm->BtnFilter);
        EXPECT_TRUE(q.IsEmpty()) << "typed text stays text";
        CisZakForm->eC_ODB->setText("1");
        click(CisZakForm->BtnFilter);
        EXPECT_EQ(rows(q), 2);
        EXPECT_FALSE(CisZakForm->FilterBox->isVisible());
        q.Locate("c_int", 250015);
    });
    EXPECT_TRUE(PickOrderForField(field, "V12", QString(), 0));
    EXPECT_EQ(field->AsInteger(), 250015);

    // An open order of a customer with one job is taken as it is.
    TField *order = target.FieldByName("ODBERATEL");
    order->SetValue("");
    CloseModal(mrCancel);
    EXPECT_TRUE(PickCustomerOrder(order, 1)) << "one open job of customer 1";
    CancelWhenModal();
    EXPECT_EQ(order->AsString(), "OBJ/1");
}

TEST_F(OrderPickTest, JobListByProductAndCustomerTakesTheProductCodeAsItStands)
{
    for (const char *row : {"(260020, 'OBJ/2', 'V%2', 5)", "(260021, 'OBJ/2', 'V2', 5)", "(260022, 'OBJ/2', 'V%1', 5)"})
        exec(QStringLiteral("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, STAV_ZAK) values ") + row);
    TField *field = target.FieldByName("ICO");
    field->SetValue(0);
    for (const char *product : {"V%2", "V%1"}) {
        SCOPED_TRACE(product);
        QStringList shown;
        CloseModal(mrOk, [&](QWidget *) {
            TxQuery &q = DMCis->QvZakazkyD;
            for (q.First(); !q.Eof(); q.Next())
                shown << q.FieldByName("c_vyr")->AsString().trimmed();
            q.First();
        });
        EXPECT_TRUE(PickOrderForField(field, product, QString(), 2));
        EXPECT_EQ(shown, QStringList{QString::fromLatin1(product)}) << "the code's %1 or %2 is no placeholder";
    }
}

TEST_F(PickTest, ModuleWiresItsRoutines)
{
    RegisterCodeListModule();
    EXPECT_TRUE(HasStartupFactory("TDMCis"));
    EXPECT_TRUE(HasStartupFactory("TQMsgDForm"));
    CloseModal(mrCancel, [](QWidget *) { EXPECT_EQ(FormSluzby->PageControlSluzby->currentIndex(), 2); });
    CallOpenRoutine("ShowCodeLists", {2});
    ASSERT_TRUE(bool(ModuleHooks().CheckMessages));
    CloseModal(mrCancel, [](QWidget *w) { EXPECT_EQ(w, QMsgForm); });
    ModuleHooks().CheckMessages(true);
    ModuleHooks() = TModuleHooks();
    UnregisterOpenRoutine("ShowCodeLists");
    for (const char *name :
         {"TDMCis", "TCisZamForm", "TCisZakForm", "TCisOdbForm", "TCisPolForm", "TQMsgForm", "TQMsgDForm"})
        ClearStartupFactory(name);
}
