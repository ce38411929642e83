// The code-list data module: rules of new and deleted rows, the look-ups, the employee quick search,
// the code-list form's pages and the employee list with barcodes.
#include "common/PersonTyping.h"
#include "CisFixture.h"
#include "common/BarcodeBars.h"
#include "common/HostileCorpus.h"

#include "library/SqlLiteral.h"
#include "library/xDBGrid.h"
#include "shell/QRTlacZam.h"
#include "platform/ui/DBControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

namespace {

QString sqlDate(const QDate &d)
{
    return d.toString(QStringLiteral("''yyyy-MM-dd''"));
}

} // namespace

TEST_F(CisTest, CustomerNumbersCountUpAndProvisionalOnesDown)
{
    TxTable &t = cis->QOdberatelia;
    t.Open();
    t.Append();
    EXPECT_EQ(t.FieldByName("C_ODB")->AsInteger(), 1) << "the first customer of an empty table";
    EXPECT_EQ(t.FieldByName("D_UPDATE")->AsDate(), QDate(2026, 3, 16));
    t.Cancel();
    t.Tag = 1;
    t.Append();
    EXPECT_EQ(t.FieldByName("C_ODB")->AsInteger(), -1) << "a provisional customer of an empty table";
    t.Cancel();
    t.Tag = 0;
    t.Append();
    t.FieldByName("ODBERATEL")->SetValue("Prvý");
    t.Post();
    t.Tag = 1;
    // Below zero even when only ordinary customers exist: 0 means "no customer".
    for (int expected : {-1, -2, -3}) {
        t.Append();
        EXPECT_EQ(t.FieldByName("C_ODB")->AsInteger(), expected);
        t.FieldByName("ODBERATEL")->SetValue(QString::fromUtf8("Provizórny"));
        t.Post();
    }
    t.Tag = 0;
    t.Append();
    EXPECT_EQ(t.FieldByName("C_ODB")->AsInteger(), 2);
    t.Cancel();
}

TEST_F(CisTest, AnOrdinaryCustomerAfterOnlyProvisionalOnesIsNumberedOne)
{
    exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (-1, 'Provizórny')");
    TxTable &t = cis->QOdberatelia;
    t.Open();
    t.Append();
    EXPECT_EQ(t.FieldByName("C_ODB")->AsInteger(), 1) << "never 0";
    t.Cancel();
}

TEST_F(CisTest, EmployeeWithRecentWorkOrAttendanceIsNotDeleted)
{
    exec("insert into CZAMESTNANCOV (OSC, PRIEZVISKO) values (7, 'Novák')");
    const QDate today = value(QStringLiteral("select current_date from rdb$database")).toDate();
    exec("insert into SVYKONY (DATUM, OSC, C_INT, C_OPERACIE) values (" + sqlDate(today.addDays(-30)) + ", 7, 1, 1)");
    TxTable &t = cis->QZamestnanci;
    t.Open();
    ASSERT_TRUE(t.Locate("OSC", 7));
    try {
        t.Delete();
        FAIL() << "deleted despite performances";
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message, QString::fromUtf8("Na tohoto zamestnanca existujú výkony za ostatné 3 roky!\r"
                                               "Nie je ho možné zmazať."));
    }
    exec("update SVYKONY set DATUM=" + sqlDate(today.addDays(-1100)));
    exec("insert into SDOCHADZKA (DATUM, OSC) values (" + sqlDate(today.addDays(-100)) + ", 7)");
    try {
        t.Delete();
        FAIL() << "deleted despite attendance";
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message, QString::fromUtf8("Na tohoto zamestnanca existuje dochádzka za ostatný rok!\r"
                                               "Nie je ho možné zmazať."));
    }
    EXPECT_EQ(count("select count(*) from CZAMESTNANCOV"), 1) << "the refused row stays";
    exec("update SDOCHADZKA set DATUM=" + sqlDate(today.addDays(-400)));
    t.Delete();
    EXPECT_EQ(count("select count(*) from CZAMESTNANCOV"), 0);
}

// Every code list adds, edits and deletes a row; the new-row rules fill their defaults.
TEST_F(CisTest, EachCodeListAddsEditsAndDeletesARow)
{
    struct Case {
        TxTable *table;
        QStringList keys;
        QVariantList values;
        QString editField;
        QVariant edited;
        QString defaultField;
        QVariant defaultValue;
    };
    const Case cases[] = {
        {&cis->QZamestnanci, {"OSC"}, {12}, "PRIEZVISKO", "Kováč", "STREDISKO", " "},
        {&cis->CRezii, {"POLE"}, {"REZIA"}, "HODNOTA", 120.0, {}, {}},
        {&cis->CProfesii, {"PROFESIA"}, {"ZV"}, "NAZOV_PROF", "Zvárač", {}, {}},
        {&cis->CTarifov, {"TARIF"}, {"T1"}, "MZDAH", 6.5, {}, {}},
        {&cis->CNakladov, {"TYP_NAKL", "NAKLAD"}, {"M", "OCEL"}, "KOEF_NAKL", 1.2, {}, {}},
        {&cis->CStredisk, {"STREDISKO"}, {"S1"}, "NAZOV_STR", "Zlievareň", {}, {}},
        {&cis->CPracovisk, {"PRACOVISKO"}, {"P1"}, "KOEF_VYRREZ", 15.0, "STREDISKO", " "},
        {&cis->CRozvrhov, {"ROZVRH"}, {"R1"}, "HODINY", 7.5, "STREDISKO", " "},
        {&cis->QOdberatelia, {"ODBERATEL"}, {"Odberateľ"}, "MESTO", "Košice", "C_ODB", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.table->Name.toStdString());
        TxTable &t = *c.table;
        t.Open();
        t.Append();
        if (!c.defaultField.isEmpty()) {
            EXPECT_EQ(t.FieldByName(c.defaultField)->Value(), c.defaultValue);
        }
        for (int i = 0; i < c.keys.size(); ++i)
            t.FieldByName(c.keys[i])->SetValue(c.values[i]);
        t.Post();
        const QString table = t.TableName();
        EXPECT_EQ(count("select count(*) from " + table), 1);
        t.Edit();
        t.FieldByName(c.editField)->SetValue(c.edited);
        t.Post();
        t.Close();
        t.Open();
        EXPECT_EQ(t.FieldByName(c.editField)->Value(), c.edited);
        t.Delete();
        EXPECT_EQ(count("select count(*) from " + table), 0);
        t.Close();
    }
}

TEST_F(CisTest, OverheadRateByNameIgnoringCase)
{
    exec("insert into CREZII (POLE, NAZOV, HODNOTA, ZAKLAD) values ('VYRREZ', 'Výrobná réžia', 120, 'V')");
    exec("insert into CREZII (POLE, NAZOV, HODNOTA) values ('SPRREZ', 'Správna réžia', 30)");
    double value = 0;
    QChar base;
    EXPECT_TRUE(cis->GetOverheadRate("vyrrez", 5, value, base));
    EXPECT_EQ(value, 120);
    EXPECT_EQ(base, QLatin1Char('V'));
    EXPECT_TRUE(cis->GetOverheadRate("SPRREZ", 5, value, base));
    EXPECT_EQ(value, 30);
    EXPECT_EQ(base, QLatin1Char(' ')) << "an empty base reads as a blank";
    EXPECT_FALSE(cis->GetOverheadRate("ZISK", 5, value, base));
    EXPECT_EQ(value, 5);
    EXPECT_EQ(base, QLatin1Char(' '));
}

TEST_F(CisTest, WorkplaceOverheadAndTariffWage)
{
    exec("insert into CPRACOVISK (PRACOVISKO, TYP_VYRREZ, KOEF_VYRREZ) values ('PEC', 'H', 120)");
    exec("insert into CPRACOVISK (PRACOVISKO, TYP_VYRREZ, KOEF_VYRREZ) values ('FORM', '%', 15)");
    exec("insert into CPRACOVISK (PRACOVISKO, TYP_VYRREZ, KOEF_VYRREZ) values ('KONT', ' ', 7)");
    exec("insert into CTARIFOV (TARIF, MZDAH) values ('T1', 6)");
    exec("insert into CTARIFOV (TARIF, MZDAH) values ('T0', 0)");
    // A writable number field to receive the results.
    TxTable &target = cis->CNakladov;
    target.Open();
    target.Append();
    TField *field = target.FieldByName("KOEF_NAKL");
    const auto overhead = [&](const QString &workplace, double minutes, double amount) {
        field->SetValue(-1.0);
        cis->SetWorkplaceOverhead(field, workplace, minutes, amount, 50);
        return field->AsFloat();
    };
    EXPECT_DOUBLE_EQ(overhead("pec", 90, 0), 180) << "hours: 90 minutes x 120";
    EXPECT_DOUBLE_EQ(overhead("FORM", 0, 1000), 150) << "percent of the amount";
    EXPECT_DOUBLE_EQ(overhead("KONT", 90, 1000), 7) << "any other type: the coefficient";
    EXPECT_DOUBLE_EQ(overhead("NIC", 90, 1000), -1) << "an unknown workplace leaves the field";
    EXPECT_DOUBLE_EQ(overhead("  ", 90, 1000), -1);
    const auto wage = [&](const QString &tariff, double minutes) {
        field->SetValue(-1.0);
        cis->SetTariffWage(field, tariff, minutes, 50);
        return field->AsFloat();
    };
    EXPECT_DOUBLE_EQ(wage("t1", 90), 9);
    EXPECT_DOUBLE_EQ(wage("T1", 0), -1) << "no minutes";
    EXPECT_DOUBLE_EQ(wage("T0", 90), -1) << "no wage";
    EXPECT_DOUBLE_EQ(wage("TX", 90), -1) << "no tariff row";
    EXPECT_DOUBLE_EQ(wage(" ", 90), -1) << "no tariff";
    target.Cancel();
}

TEST_F(CisTest, HolidaysMatchDayAndMonthOfAnyYear)
{
    EXPECT_FALSE(cis->IsHoliday(QDate(2026, 1, 1))) << "no holidays yet";
    exec("insert into CSVIATKOV (DEN, NAZOV) values ('01.01', 'Nový rok')");
    exec("insert into CSVIATKOV (DEN, NAZOV) values ('24.12.', 'Štedrý deň')");
    exec("insert into CSVIATKOV (DEN, NAZOV) values ('1.5', 'Sviatok práce')");
    EXPECT_TRUE(cis->IsHoliday(QDate(2026, 1, 1))) << "an empty cache is read again";
    EXPECT_TRUE(cis->IsHoliday(QDate(2031, 1, 1)));
    EXPECT_TRUE(cis->IsHoliday(QDate(2026, 12, 24)));
    EXPECT_FALSE(cis->IsHoliday(QDate(2026, 5, 1))) << "'1.5' is not dd.mm";
    EXPECT_FALSE(cis->IsHoliday(QDate(2026, 1, 2)));
    EXPECT_EQ(cis->Cine.TableName(), "CSVIATKOV");
    exec("insert into CSVIATKOV (DEN) values ('02.01')");
    EXPECT_FALSE(cis->IsHoliday(QDate(2026, 1, 2))) << "read once per run";
}

TEST_F(CisTest, QuickSearchTakesTypedTextAsText)
{
    for (const char *row : {"(1, 'Novák')", "(2, 'Nováková')", "(3, 'Kováč')", "(4, 'O''Neil')"})
        exec(QStringLiteral("insert into CZAMESTNANCOV (OSC, PRIEZVISKO) values ") + QString::fromUtf8(row));
    TxTable &t = cis->QZamestnanci;
    cis->QuickFilterEmployees("PRIEZVISKO", "Nov");
    t.Last();
    EXPECT_EQ(rows(t), 2);
    cis->QuickFilterEmployees("PRIEZVISKO", "O'N");
    t.Last();
    EXPECT_EQ(rows(t), 1);
    EXPECT_NO_THROW(cis->QuickFilterEmployees("PRIEZVISKO", "x' or 1=1 or PRIEZVISKO like '"));
    EXPECT_TRUE(t.IsEmpty()) << "typed SQL stays text";
    cis->SetEmployeeOrder("PRIEZVISKO");
    QStringList names;
    for (t.First(); !t.Eof(); t.Next())
        names << t.FieldByName("PRIEZVISKO")->AsString();
    EXPECT_EQ(names, QStringList({"Kováč", "Novák", "Nováková", "O'Neil"}));
}

TEST_F(CisTest, QuickSearchShowsTheRowsOfTheBoundSearchWhateverIsTyped)
{
    for (const char *row : {"(1, 'Novák')", "(2, 'O''Neil')", "(12, 'x'' or ''1''=''1')", "(3, '%1%2')", "(4, 'č''š')"})
        exec(QStringLiteral("insert into CZAMESTNANCOV (OSC, PRIEZVISKO) values ") + QString::fromUtf8(row));
    TTestResponder answers;
    auto *form = new TFormSluzby;
    FormSluzby = form;
    form->SetPage(0);
    form->show();
    TxQuery bound;
    bound.SetDatabase(&DMZal->DBZAL);
    for (auto [edit, field] : {std::pair{form->HlPr, "PRIEZVISKO"}, std::pair{form->HlOSC, "OSC"}}) {
        for (const char *raw : kHostileCorpus) {
            SCOPED_TRACE(std::string(field) + " <- " + raw);
            const QString text = QString::fromUtf8(raw);
            edit->setText(text.chopped(1));
            TypeText(edit, text.right(1)); // the key's release searches
            QStringList shown, expected;
            TxTable &t = cis->QZamestnanci;
            if (!t.Active())
                shown << "error";
            else
                for (t.First(); !t.Eof(); t.Next())
                    shown << t.FieldByName("OSC")->AsString();
            // The number OSC is matched as its text, so letters find nothing instead of failing.
            bound.SQL().SetText(
                QStringLiteral("select OSC from CZAMESTNANCOV where %1 like :v order by OSC")
                    .arg(SqlLikeColumn(QLatin1String(field), QLatin1String(field) == "OSC" ? ftSmallint : ftString)));
            try {
                bound.ParamByName("v").SetValue((text + '%').trimmed());
                bound.Open();
                for (bound.First(); !bound.Eof(); bound.Next())
                    expected << bound.Fields(0)->AsString();
                bound.Close();
            } catch (const Exception &) {
                expected << "error";
            }
            shown.sort();
            expected.sort();
            EXPECT_EQ(shown.join(',').toStdString(), expected.join(',').toStdString());
        }
    }
    form->close();
    delete form;
    FormSluzby = nullptr;
    bound.SQL().SetText("select count(*) from CZAMESTNANCOV");
    bound.Open();
    EXPECT_EQ(bound.Fields(0)->AsInteger(), 5) << "nothing typed changed the table";
}

TEST_F(CisTest, CodeListFormPagesOpenTheirTables)
{
    for (const char *row : {"(1, 'Novák')", "(2, 'Nováková')", "(3, 'Kováč')"})
        exec(QStringLiteral("insert into CZAMESTNANCOV (OSC, PRIEZVISKO) values ") + QString::fromUtf8(row));
    exec("insert into CSVIATKOV (DEN) values ('01.01')");
    auto *form = new TFormSluzby;
    FormSluzby = form;
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Číselníky"));
    form->SetPage(0);
    form->show();
    EXPECT_EQ(form->StatusText(), QString::fromUtf8("Číselníky - Zamestnanci"));
    EXPECT_TRUE(cis->QZamestnanci.Active());
    EXPECT_TRUE(cis->CTarifov.Active());

    // Typing in the surname search narrows the list; a click on the edit clears it and orders by it.
    TabTo(form->HlPr);
    QTest::keyClicks(form->HlPr, "Nov");
    cis->QZamestnanci.Last();
    EXPECT_EQ(rows(cis->QZamestnanci), 2);
    QTest::mouseClick(form->HlPr, Qt::LeftButton);
    EXPECT_TRUE(form->HlPr->text().isEmpty());
    EXPECT_EQ(form->StatusText(), QString::fromUtf8("Triedenie podľa priezviska pracovníka"));
    cis->QZamestnanci.First();
    EXPECT_EQ(cis->QZamestnanci.FieldByName("PRIEZVISKO")->AsString(), QString::fromUtf8("Kováč"));

    const struct {
        int page;
        const char *status;
        std::vector<TDataSet *> opened;
    } pages[] = {
        {1, "Číselníky - Operácie a materiály", {&DMZal->COperacii, &DMZal->CMaterialov}},
        {2, "Číselníky - Náklady a réžie", {&cis->CNakladov, &cis->CRezii}},
        {3, "Číselníky - Profesie a tarify", {&cis->CProfesii, &cis->CTarifov}},
        {4, "Číselníky - Sklady,Strediská", {&DMZal->CSkladov, &cis->CStredisk}},
        {5, "Číselníky - Pracoviská", {&cis->CPracovisk, &cis->CStredisk, &cis->CRozvrhov}},
    };
    for (const auto &p : pages) {
        form->PageControlSluzby->setCurrentIndex(p.page);
        EXPECT_EQ(form->StatusText(), QString::fromUtf8(p.status));
        for (TDataSet *ds : p.opened)
            EXPECT_TRUE(ds->Active()) << ds->Name.toStdString();
    }
    form->PageControlSluzby->setCurrentIndex(6);
    form->CineTable->setCurrentText("CSVIATKOV");
    EXPECT_TRUE(cis->Cine.Active());
    EXPECT_EQ(rows(cis->Cine), 1);
    form->PageControlSluzby->setCurrentIndex(2);
    EXPECT_FALSE(cis->Cine.Active()) << "leaving the page closes the other code list";
    form->Close();
    for (TDataSet *ds : {static_cast<TDataSet *>(&cis->QZamestnanci), static_cast<TDataSet *>(&cis->CRezii),
                         static_cast<TDataSet *>(&DMZal->COperacii)})
        EXPECT_FALSE(ds->Active());
}

TEST_F(CisTest, ShowCodeListsOpensTheChosenPage)
{
    CloseModal(mrCancel, [](QWidget *) {
        EXPECT_EQ(FormSluzby->PageControlSluzby->currentIndex(), 3);
        EXPECT_EQ(FormSluzby->StatusText(), QString::fromUtf8("Číselníky - Profesie a tarify"));
    });
    EXPECT_EQ(ShowCodeLists(3), mrCancel);
    EXPECT_FALSE(cis->CTarifov.Active()) << "closing closes the tables";
}

TEST_F(CisTest, EmployeeListBarcodesDecodeToEmployeeNumbers)
{
    const QList<int> numbers{7, 12, 345, 1208};
    for (int osc : numbers)
        exec(QStringLiteral("insert into CZAMESTNANCOV (OSC, PRIEZVISKO) values (%1, 'P%1')").arg(osc));
    cis->SetEmployeeOrder("OSC");
    TQRTlacZam report;
    report.prepare();
    ASSERT_EQ(report.PageCount(), 1);
    // The patterns of the known numbers decode the printed bars.
    QMap<QString, int> decode;
    for (int osc : numbers) {
        TAsBarcode code;
        code.setTyp(report.Barcode->Barcode().Typ());
        code.setText(QString::number(osc));
        decode.insert(code.MakeData(), osc);
    }
    QList<int> printed;
    QStringList texts;
    for (const TQRItem &item : report.Pages()[0].items) {
        if (item.kind == TQRItem::Image)
            printed << decode.value(barsOf(item.image), -1);
        else
            texts << item.text;
    }
    EXPECT_EQ(printed, numbers);
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Zoznam zamestnancov")));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Osobné číslo")));

    cis->QuickFilterEmployees("OSC", "12");
    report.prepare();
    printed.clear();
    for (const TQRItem &item : report.Pages()[0].items)
        if (item.kind == TQRItem::Image)
            printed << decode.value(barsOf(item.image), -1);
    EXPECT_EQ(printed, QList<int>({12, 1208})) << "the list as filtered";
}

TEST_F(CisTest, WorkplaceRowThroughTheNavigator)
{
    TTestResponder answers;
    auto *form = new TFormSluzby;
    form->SetPage(5);
    form->show();
    QWidget *page = form->PageControlSluzby->widget(5);
    const auto button = [page](const char *hint) {
        for (auto *b : page->findChildren<QAbstractButton *>())
            if (b->toolTip() == QString::fromUtf8(hint))
                return b;
        return static_cast<QAbstractButton *>(nullptr);
    };
    ASSERT_NE(button("Nový"), nullptr);
    QTest::mouseClick(button("Nový"), Qt::LeftButton);
    TxTable &t = cis->CPracovisk;
    ASSERT_EQ(t.State(), dsInsert);
    EXPECT_EQ(t.FieldByName("STREDISKO")->AsString(), " ");
    t.FieldByName("PRACOVISKO")->SetValue("PEC");
    QTest::mouseClick(button("Zapísať"), Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from CPRACOVISK where PRACOVISKO='PEC'"), 1);
    QTest::mouseClick(button("Nový"), Qt::LeftButton);
    t.FieldByName("PRACOVISKO")->SetValue("PEC");
    QTest::mouseClick(button("Zapísať"), Qt::LeftButton);
    ASSERT_EQ(answers.Messages.size(), 1);
    EXPECT_TRUE(answers.Messages[0].Text.contains(QString::fromUtf8("duplicitným"))) << "a Slovak sentence";
    EXPECT_EQ(t.State(), dsInsert) << "the typed row stays";
    QTest::mouseClick(button("Zrušiť"), Qt::LeftButton);
    answers.Messages.clear();
    answers.MessageAnswers = {mrYes};
    QTest::mouseClick(button("Zmazať"), Qt::LeftButton);
    EXPECT_EQ(answers.Messages.size(), 1) << "asked first";
    EXPECT_EQ(count("select count(*) from CPRACOVISK"), 0);
    form->Close();
}

// Surnames sort in Slovak order, also through the employees' quick search, and the overheads show
// their rates as numbers, not money.
TEST_F(CisTest, NamesSortInSlovakOrderAndOverheadRatesAreNoMoney)
{
    int osc = 0;
    for (const char *name : {"Varga", "Šimko", "Sabo", "Čierny", "Cibula", "Žiak", "Zeman"})
        exec(QStringLiteral("insert into CZAMESTNANCOV (OSC, PRIEZVISKO) values (%1, '%2')")
                 .arg(++osc)
                 .arg(QString::fromUtf8(name)));
    exec(QString::fromUtf8(
        "insert into CREZII (POLE, NAZOV, HODNOTA, ZAKLAD) values ('VYRREZ', 'Výrobná réžia', 120.5, 'M')"));
    auto *form = new TFormSluzby;
    FormSluzby = form;
    form->SetPage(0);
    form->show();
    QTest::mouseClick(form->HlPr, Qt::LeftButton);
    QStringList order;
    for (cis->QZamestnanci.First(); !cis->QZamestnanci.Eof(); cis->QZamestnanci.Next())
        order << cis->QZamestnanci.FieldByName("PRIEZVISKO")->AsString();
    EXPECT_EQ(order.join(' '), QString::fromUtf8("Cibula Čierny Sabo Šimko Varga Zeman Žiak"));
    // A letter the test keyboard has no key for, typed as its text.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("Š"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("Š"));
    QApplication::sendEvent(form->HlPr, &press);
    QApplication::sendEvent(form->HlPr, &release);
    ASSERT_EQ(form->HlPr->text(), QString::fromUtf8("Š"));
    EXPECT_EQ(rows(cis->QZamestnanci), 1) << "the quick search still finds by the first letters";

    form->PageControlSluzby->setCurrentIndex(2);
    TxDBGrid *overheads = nullptr;
    for (auto *g : form->PageControlSluzby->widget(2)->findChildren<TxDBGrid *>())
        if (g->DataSet() == &cis->CRezii)
            overheads = g;
    ASSERT_NE(overheads, nullptr);
    EXPECT_EQ(overheads->Columns(1)->Title(), "Hodnota [%]");
    EXPECT_EQ(overheads->Model()->CellText(0, 1), "120,5");
    form->Close();
}
