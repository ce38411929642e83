// The customer, product and complaint dialogs offscreen on a fresh database: every field they have is on
// screen with its room, and what a person types into them by keys (Slovak letters and apostrophes too) is
// what they store.
#include "SalesFixture.h"

#include "common/HostileCorpus.h"
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "library/xDBEdit.h"
#include "library/xDBMemo.h"
#include "platform/ui/BitBtn.h"
#include "sales/OdberatelDForm.h"
#include "sales/OdberateliaForm.h"
#include "sales/VyrobkyDForm.h"
#include "sales/ZakRekDForm.h"
#include "sales/ZakRekForm.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>

class DialogFieldsTest : public SalesJobTest {
protected:
    void TearDown() override
    {
        delete OdberateliaForm;
        delete OdberatelDForm;
        delete VyrobkyDForm;
        delete ZakRekForm;
        delete ZakRekDForm;
        SalesTest::TearDown();
    }
    // Each edit of the names is shown whole, as tall and wide as it needs, where a click reaches it.
    static void expectShown(QWidget *dialog, std::initializer_list<const char *> names)
    {
        for (const char *name : names) {
            auto *e = dialog->findChild<TxDBEdit *>(QLatin1String(name));
            ASSERT_NE(e, nullptr) << name;
            QWidget *edit = e->Edit();
            EXPECT_TRUE(edit->isVisible()) << name;
            EXPECT_GE(edit->height(), edit->minimumSizeHint().height()) << name;
            EXPECT_GE(edit->width(), edit->minimumSizeHint().width()) << name;
            EXPECT_TRUE(e->rect().contains(edit->geometry())) << name;
            EXPECT_GE(e->Label()->width(), e->Label()->sizeHint().width()) << name << ": caption cut";
        }
    }
    static TxDBEdit *edit(QWidget *dialog, const char *name) { return dialog->findChild<TxDBEdit *>(name); }
    // Makes complaint 26001, opens it from the complaints browser and runs the steps in its dialog.
    void editComplaint(const std::function<void(TZakRekDForm *)> &steps)
    {
        exec("insert into ZAKREK (C_REK, C_INT, D_VYSTAV, NEZHODA) values ('26001', 260001, CURRENT_DATE, "
             "'LUNKER')");
        bool ran = false;
        WhenModal<TZakRekForm>([&](TZakRekForm *f) {
            WhenModal<TZakRekDForm>(
                [&](TZakRekDForm *d) {
                    ran = true;
                    steps(d);
                },
                f);
            QTest::mouseClick(f->BtnOprav, Qt::LeftButton);
            f->SetModalResult(mrCancel);
        });
        ShowComplaints();
        EXPECT_TRUE(ran) << "the complaint dialog came up";
    }
    // Types the text into the memo's end by keys; the memo's text afterwards.
    static QString typeIntoMemo(QWidget *dialog, const char *name, const QString &text)
    {
        auto *m = dialog->findChild<TxDBMemo *>(QLatin1String(name));
        if (!m) {
            ADD_FAILURE() << name;
            return QString();
        }
        TabTo(m);
        QApplication::processEvents();
        m->moveCursor(QTextCursor::End);
        TypeText(m, text);
        return m->toPlainText();
    }
    // A text of n characters with Slovak letters in it.
    static QString longText(int n)
    {
        const QString words = QString::fromUtf8("Ťažký odliatok s dutinou, žíhaný v peci č. 2; ");
        QString text;
        while (text.size() < n)
            text += words;
        return text.left(n);
    }
    static void typeInto(QWidget *dialog, const char *name, const QString &text)
    {
        TxDBEdit *e = edit(dialog, name);
        ASSERT_NE(e, nullptr) << name;
        type(e->Edit(), text);
    }
};

TEST_F(DialogFieldsTest, ANewCustomerTypedByKeysIsStored)
{
    const QString name = QString::fromUtf8("Ľubovnianska zlievareň O'Brien");
    bool ran = false;
    WhenModal<TOdberateliaForm>([&](TOdberateliaForm *f) {
        WhenModal<TOdberatelDForm>(
            [&](TOdberatelDForm *d) {
                ran = true;
                expectShown(d, {"DBeODBERATEL", "DBeC_ODB", "DBeODDELENIE", "DBeICO", "DBeICDPH", "DBeULICA",
                                "DBeMESTO", "DBePSC", "DBeBANKA", "DBeBUCET", "DBeTELEFON", "DBeFAX", "DBeEMAIL",
                                "DBeD_UPDATE", "DBeKONTAKT", "DBeABC", "DBePOZNAMKA", "DBeP_ZLAVY"});
                QApplication::setActiveWindow(d);
                EXPECT_EQ(QApplication::focusWidget(), d->DBeODBERATEL->Edit()) << "the name gets the focus";
                TypeText(d->DBeODBERATEL->Edit(), name);
                // Enter moves on past the disabled number to the department.
                QTest::keyClick(d->DBeODBERATEL->Edit(), Qt::Key_Return);
                EXPECT_EQ(QApplication::focusWidget(), edit(d, "DBeODDELENIE")->Edit());
                TypeText(QApplication::focusWidget(), QString::fromUtf8("Nákup"));
                typeInto(d, "DBeICO", "35742135");
                typeInto(d, "DBeICDPH", "sk2020123456");
                typeInto(d, "DBeULICA", QString::fromUtf8("Štúrova 12"));
                typeInto(d, "DBeMESTO", QString::fromUtf8("Žilina"));
                typeInto(d, "DBePSC", "01001");
                typeInto(d, "DBeTELEFON", "+421 41 5627 111");
                QTest::mouseClick(d->BtnZapis1, Qt::LeftButton);
            },
            f);
        QTest::mouseClick(f->btnNovyOdb, Qt::LeftButton);
        f->SetModalResult(mrCancel);
    });
    ShowCustomers();
    ASSERT_TRUE(ran);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('|').toStdString();
    const QString where =
        QStringLiteral(" from CODBERATELOV where ODBERATEL='%1'").arg(QString(name).replace("'", "''"));
    ASSERT_EQ(count("select count(*)" + where), 1);
    EXPECT_EQ(value("select ODDELENIE" + where).toString(), QString::fromUtf8("Nákup"));
    EXPECT_EQ(value("select ICO" + where).toInt(), 35742135);
    EXPECT_EQ(value("select ICDPH" + where).toString(), "SK2020123456") << "upper case";
    EXPECT_EQ(value("select ULICA" + where).toString(), QString::fromUtf8("Štúrova 12"));
    EXPECT_EQ(value("select MESTO" + where).toString(), QString::fromUtf8("Žilina"));
    EXPECT_EQ(value("select PSC" + where).toString(), "01001");
    EXPECT_EQ(value("select TELEFON" + where).toString(), "+421 41 5627 111");
}

TEST_F(DialogFieldsTest, AnEditedCustomerShowsItsDataAndStoresTheTypedChange)
{
    exec("insert into CODBERATELOV (C_ODB, ODBERATEL, MESTO, ICO) values (5, 'Zlieváreň Sever', 'Žilina', 123)");
    WhenModal<TOdberatelDForm>([&](TOdberatelDForm *d) {
        EXPECT_EQ(d->DBeODBERATEL->Edit()->text(), QString::fromUtf8("Zlieváreň Sever"));
        EXPECT_EQ(edit(d, "DBeMESTO")->Edit()->text(), QString::fromUtf8("Žilina"));
        EXPECT_EQ(d->DBeC_ODB->Edit()->text(), "5");
        typeInto(d, "DBeMESTO", QString::fromUtf8("Banská Bystrica"));
        // The number has at most 11 digits; typed over the selected number, it replaces it.
        typeInto(d, "DBeICO", "361234567890");
        EXPECT_EQ(d->DBeICO->Edit()->text(), "36123456789");
        typeInto(d, "DBeICO", "36123456");
        QTest::mouseClick(d->BtnZapis1, Qt::LeftButton);
    });
    ASSERT_TRUE(EditCustomer(5));
    EXPECT_EQ(value("select MESTO from CODBERATELOV where C_ODB=5").toString(), QString::fromUtf8("Banská Bystrica"));
    EXPECT_EQ(value("select ICO from CODBERATELOV where C_ODB=5").toInt(), 36123456);
}

TEST_F(DialogFieldsTest, AProductsDataTypedByKeysIsStored)
{
    WhenModal<TVyrobkyDForm>([&](TVyrobkyDForm *d) {
        expectShown(d, {"DBeC_POL", "DBeNAZOV", "DBeVAHA_MAT", "DBeVAHA1", "DBeC_VYKRESU", "DBeROZMER", "DBeKP",
                        "DBeD_VYSTAV", "DBeC_POL_EXT", "DBeKOMOD", "DBeNASNAR", "DBeFREE1", "DBeFREE2", "DBeFREE3",
                        "DBeCENA_NAKL", "DBeCENA_KALK"});
        EXPECT_EQ(d->DBeC_POL->Edit()->text().trimmed(), "V1");
        typeInto(d, "DBeNAZOV", QString::fromUtf8("Ložisko O'Hara"));
        typeInto(d, "DBeVAHA_MAT", "14,5");
        typeInto(d, "DBeVAHA1", "11,25");
        typeInto(d, "DBeC_VYKRESU", "VYK-12/26");
        typeInto(d, "DBeROZMER", QString::fromUtf8("D 120 × 40"));
        QTest::mouseClick(d->BtnZapis1, Qt::LeftButton);
    });
    ASSERT_TRUE(EditProduct("V1"));
    const QString where = QStringLiteral(" from POLOZKY where C_POL='V1'");
    EXPECT_EQ(value("select NAZOV" + where).toString(), QString::fromUtf8("Ložisko O'Hara"));
    EXPECT_DOUBLE_EQ(value("select VAHA_MAT" + where).toDouble(), 14.5);
    EXPECT_DOUBLE_EQ(value("select VAHA1" + where).toDouble(), 11.25);
    EXPECT_EQ(value("select C_VYKRESU" + where).toString(), "VYK-12/26");
    EXPECT_EQ(value("select ROZMER" + where).toString(), QString::fromUtf8("D 120 × 40"));
}

TEST_F(DialogFieldsTest, AProductsDescriptionTakesTheColumnsCharactersAndNoMore)
{
    WhenModal<TVyrobkyDForm>([&](TVyrobkyDForm *d) {
        EXPECT_EQ(typeIntoMemo(d, "DBmPOPIS", longText(260)), longText(250));
        QTest::mouseClick(d->BtnZapis1, Qt::LeftButton);
    });
    ASSERT_TRUE(EditProduct("V1"));
    EXPECT_EQ(value("select POPIS from POLOZKY where C_POL='V1'").toString(), longText(250));
}

TEST_F(DialogFieldsTest, AComplaintsMemosTakeTheirCharactersTypedOrPasted)
{
    editComplaint([&](TZakRekDForm *d) {
        EXPECT_EQ(typeIntoMemo(d, "DBmPOPIS", longText(260)), longText(250));
        EXPECT_EQ(typeIntoMemo(d, "DBmNAVRH2", longText(360)), longText(350));
        // A paste keeps what fits; a line end takes two of the characters.
        auto *navrh3 = d->findChild<TxDBMemo *>(QStringLiteral("DBmNAVRH3"));
        ASSERT_NE(navrh3, nullptr);
        TabTo(navrh3);
        QApplication::clipboard()->setText(QStringLiteral("A\r\n") + longText(300));
        QTest::keyClick(navrh3, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(navrh3->toPlainText(), QStringLiteral("A\n") + longText(247));
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
    });
    const QString where = QStringLiteral(" from ZAKREK where C_REK='26001'");
    EXPECT_EQ(value("select POPIS" + where).toString(), longText(250));
    EXPECT_EQ(value("select NAVRH2" + where).toString(), longText(350));
    EXPECT_EQ(value("select NAVRH3" + where).toString(), QStringLiteral("A\r\n") + longText(247));
}

TEST_F(DialogFieldsTest, BackFromAMessageTheComplaintKeepsTheFocusInTheFieldToCorrect)
{
    // A refused quantity is told in a message box over the dialog; when it goes, what the clerk types next
    // belongs to that quantity, not to the job, which would change the complaint's job.
    editComplaint([&](TZakRekDForm *d) {
        QApplication::setActiveWindow(d);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), d->DBeC_INT->Edit()) << "the job gets the focus as the dialog comes up";
        QLineEdit *quantity = edit(d, "DBeMNOZ_REK")->Edit();
        TabTo(quantity);
        QApplication::processEvents();
        QTest::keyClicks(quantity, "7y");
        QWidget box;
        box.show();
        QApplication::setActiveWindow(&box);
        QApplication::processEvents();
        box.close();
        QApplication::setActiveWindow(d);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), quantity);
        QTest::keyClicks(quantity, "5");
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
    });
    const QString where = QStringLiteral(" from ZAKREK where C_REK='26001'");
    EXPECT_EQ(value("select C_INT" + where).toInt(), 260001);
    EXPECT_DOUBLE_EQ(value("select MNOZ_REK" + where).toDouble(), 5);
}

TEST_F(DialogFieldsTest, AComplaintsQuantitiesTypedByKeysAreStored)
{
    editComplaint([&](TZakRekDForm *d) {
        expectShown(d, {"DBeC_REK", "DBeC_INT", "DBeMNOZ_DOD", "DBeC_DL", "DBeC_FAKTURY", "DBeMNOZ_REK", "DBeD_VYSTAV",
                        "DBeVYSTAVIL", "DBeD_DOD", "DBeRIESENIE"});
        EXPECT_EQ(d->DBeC_REK->Edit()->text().trimmed(), "26001");
        typeInto(d, "DBeMNOZ_DOD", "120");
        typeInto(d, "DBeMNOZ_REK", "3,5");
        typeInto(d, "DBeC_DL", "26015");
        typeInto(d, "DBeC_FAKTURY", "F-26/015");
        typeInto(d, "DBeVYSTAVIL", QString::fromUtf8("Ďurica O'Neil"));
        typeInto(d, "DBeRIESENIE", QString::fromUtf8("Výmena kusov"));
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
    });
    const QString where = QStringLiteral(" from ZAKREK where C_REK='26001'");
    EXPECT_DOUBLE_EQ(value("select MNOZ_DOD" + where).toDouble(), 120);
    EXPECT_DOUBLE_EQ(value("select MNOZ_REK" + where).toDouble(), 3.5);
    EXPECT_EQ(value("select C_DL" + where).toInt(), 26015);
    EXPECT_EQ(value("select C_FAKTURY" + where).toString(), "F-26/015");
    EXPECT_EQ(value("select VYSTAVIL" + where).toString(), QString::fromUtf8("Ďurica O'Neil"));
    EXPECT_EQ(value("select RIESENIE" + where).toString(), QString::fromUtf8("Výmena kusov"));
}

TEST_F(DialogFieldsTest, ANewComplaintsJobTakesTheDigitsTypedAsTheDialogComesUp)
{
    // The dialog comes up with the focus on the job: an empty field, so the digits typed are the job, not
    // digits after a "0/0000" that name no job.
    QString shownAtFirst = QStringLiteral("?");
    int typedJob = 0;
    QString order;
    WhenModal<TZakRekForm>([&](TZakRekForm *f) {
        WhenModal<TZakRekDForm>(
            [&](TZakRekDForm *d) {
                if (!ShowActive(d) || !WaitFor("the job has the focus",
                                               [d] { return QApplication::focusWidget() == d->DBeC_INT->Edit(); }))
                    return;
                shownAtFirst = d->DBeC_INT->Edit()->text();
                Type(QStringLiteral("260001"));
                Press(Qt::Key_Tab);
                typedJob = odbyt->QZakRek.FieldByName("C_INT")->AsInteger();
                order = odbyt->QZakRek.FieldByName("C_OBJ")->AsString().trimmed();
                ClickOn(d->BtnNezapis);
            },
            f);
        ClickOn(f->BtnNovy);
        f->SetModalResult(mrCancel);
    });
    ShowComplaints();
    EXPECT_EQ(shownAtFirst.toStdString(), "");
    EXPECT_EQ(typedJob, 260001);
    EXPECT_EQ(order.toStdString(), "ZAK260001") << "the job typed was found and its order taken in";
}
