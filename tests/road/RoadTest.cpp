// The road of one customer's castings through the whole program, driven through its screens with keys and
// clicks on a fresh demo foundry: a price offer of two products, the order made from it, the calculation,
// internal order and confirmation of each item, the job ticket, the capacity plan, the performances booked
// from the ticket's codes, the hand-over, the delivery note, the invoice and the accounting export. Each step
// checks what the user sees and what is stored.
#include "platform/os/Clock.h"
#include "common/PersonTyping.h"
#include "RoadFixture.h"

#include "common/WhenModal.h"
#include "dispatch/DMExp.h"
#include "dispatch/EDListyForm.h"
#include "dispatch/EFakturaForm.h"
#include "library/QTlacForm.h"
#include "library/xDBGrid.h"
#include "library/xForm.h"
#include "production/QRTlacSprievodka.h"
#include "production/SOdvodyForm.h"
#include "production/SPlanForm.h"
#include "production/SVykonyForm.h"
#include "sales/CenPonDForm.h"
#include "sales/CenPonForm.h"
#include "sales/FormZakazkaDet.h"
#include "sales/FormZakazkaDetHl.h"
#include "sales/FormZakazkaHl.h"
#include "sales/FormZakazky.h"
#include "sales/QRTlacIntObj.h"
#include "sales/ZakKalkForm.h"
#include "shell/Routines.h"
#include "platform/os/Format.h"
#include "platform/report/QuickRep.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/RadioGroup.h"
#include "platform/ui/ReportPreview.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

namespace {

const QString Customer = QString::fromUtf8("Ložiská Martin s.r.o.");

// The road's two products, none of them in stock: a motor bracket and a boiler grate.
struct Item {
    const char *product;
    int quantity;
};
const Item Items[] = {{"V1012", 40}, {"V1014", 60}};

// Chooses the option of a choice dialog (ChooseOption) by clicking its radio button.
void chooseOption(int option)
{
    WhenModal<TxForm>([option](TxForm *f) {
        const QList<QRadioButton *> radios = f->findChildren<QRadioButton *>();
        if (radios.size() > option) {
            QTest::mouseClick(radios[option], Qt::LeftButton);
        } else {
            ADD_FAILURE() << "no option " << option;
            f->SetModalResult(mrCancel);
        }
    });
}

// The print dialog's "Tlač": the report goes to the printer, which writes the test's PDF file.
void printOnPrinter(QString *title = nullptr)
{
    WhenModal<TQTlacForm>([title](TQTlacForm *f) {
        if (title)
            *title = f->lTitle->text();
        QTest::mouseClick(f->BitBtnTlac, Qt::LeftButton);
    });
}

// A job number as the grids show it: "26/0021".
QString jobText(int job)
{
    return QStringLiteral("%1/%2").arg(job / 10000, 2, 10, QLatin1Char('0')).arg(job % 10000, 4, 10, QLatin1Char('0'));
}

QAction *menuAction(QMenu *menu, const QString &text)
{
    for (QAction *a : menu->findChildren<QAction *>())
        if (a->text() == text)
            return a;
    return nullptr;
}

} // namespace

TEST_F(RoadTest, FromThePriceOfferToTheAccountingExport)
{
    const QDate today = Date(); // the program's clock
    QString offer;
    // ---------------------------------------------------------------- the price offer
    {
        SCOPED_TRACE("price offer");
        TCenPonForm offers;
        offers.show();
        WhenModal<TCenPonDForm>([&](TCenPonDForm *d) {
            EXPECT_EQ(d->windowTitle(), QString::fromUtf8("Cenová ponuka"));
            type(d->DBeC_OBJ, QStringLiteral("pon"));
            click(d->btnCislo);
            offer = odbyt->QCenPon.FieldByName(QStringLiteral("C_OBJ"))->AsString().trimmed();
            type(d->DBeODBERATEL, Customer);
            type(d->DBePOZNAMKA, QString::fromUtf8("Dopyt z veľtrhu"));
            for (const Item &item : Items) {
                click(d->BtnNovy);
                typeCell(d->DBGridCenPonD, 1, QString::fromLatin1(item.product), true);
                typeCell(d->DBGridCenPonD, 3, QString::number(item.quantity));
            }
            EXPECT_EQ(columnTexts(d->DBGridCenPonD, "C_VYR"), (QStringList{"V1012", "V1014"}));
            EXPECT_EQ(columnTexts(d->DBGridCenPonD, "POZNAMKA"), (QStringList{"Konzola motora", "Rošt kotla"}))
                << "the product's name comes with its number";
            click(d->BtnZapis);
        });
        click(offers.BtnNovy);
        ASSERT_TRUE(offer.startsWith(QStringLiteral("PON%1").arg(today.toString("yy")))) << offer.toStdString();
        EXPECT_TRUE(columnTexts(offers.DBGridCenPon, "C_OBJ").contains(offer));
        EXPECT_EQ(value("select ODBERATEL from ZAKAZKY where C_OBJ=:c_obj", {offer}).toString(), Customer);
        EXPECT_EQ(
            count(
                QStringLiteral("select count(*) from ZAKAZKYD where C_OBJ='%1' and C_INT<0 and STAV_ZAK=0").arg(offer)),
            2);
        offers.close();
    }
    EXPECT_TRUE(boxes().isEmpty()) << boxes().join('\n').toStdString();

    // ---------------------------------------------------------------- the order from the offer
    QString order;
    QList<int> jobs;
    TFormZakazky browser;
    browser.show();
    {
        SCOPED_TRACE("order from the offer");
        responder->InputAnswers = {offer};
        WhenModal<TFormZakazkaHl>([&](TFormZakazkaHl *d) {
            EXPECT_EQ(d->windowTitle(), QString::fromUtf8("Nová objednávka"));
            EXPECT_EQ(odbyt->QvZakazky.FieldByName("ODBERATEL")->AsString(), Customer) << "from the offer";
            type(d->DBeC_ODB, QStringLiteral("12"));
            EXPECT_EQ(d->DBtODBERATEL->text().trimmed(), Customer);
            order = odbyt->QvZakazky.FieldByName("C_OBJ")->AsString().trimmed();
            click(d->BtnZapis);
        });
        // Each offer item comes into the item dialog as a new job.
        std::function<void(TFormZakazkaDetHl *)> item;
        int shown = 0;
        item = [&](TFormZakazkaDetHl *d) {
            const Item &expected = Items[shown++];
            EXPECT_EQ(d->DBeC_VYR->text().trimmed(), QString::fromLatin1(expected.product));
            EXPECT_EQ(d->DBeMNOZ_OBJ->text().trimmed(), QString::number(expected.quantity));
            EXPECT_EQ(d->DBeMNOZ_VYR->text().trimmed(), QString::number(expected.quantity))
                << "none in stock: all to produce, the offer itself not counted as waiting";
            EXPECT_EQ(d->LabelStav->text(), QString::fromUtf8("Vystavená"));
            jobs << odbyt->QZakazkyD.FieldByName("C_INT")->AsInteger();
            click(d->BtnZapis);
            // The same dialog shows the next item once this showing has ended.
            if (shown < 2)
                QTimer::singleShot(0, [&] { WhenModal<TFormZakazkaDetHl>(item); });
        };
        WhenModal<TFormZakazkaDetHl>(item);
        QAction *fromOffer = menuAction(browser.PopupMenu, QString::fromUtf8("Z ponuky"));
        ASSERT_NE(fromOffer, nullptr);
        fromOffer->trigger();
        ASSERT_EQ(responder->Inputs.size(), 1);
        EXPECT_EQ(responder->Inputs[0].Prompt, QString::fromUtf8("z ponuky č.:"));
        ASSERT_EQ(jobs.size(), 2);
        ASSERT_FALSE(order.isEmpty());
        EXPECT_TRUE(columnTexts(browser.DBGridZakazky, "C_OBJ").contains(order));
        EXPECT_EQ(count(QStringLiteral("select count(*) from ZAKAZKY where C_OBJ='%1' and C_ODB=12 and TYP_OBJ='Z'")
                            .arg(order)),
                  1);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(count(QStringLiteral("select count(*) from ZAKAZKYD where C_INT=%1 and C_OBJ='%2' and "
                                           "C_VYR='%3' and MNOZ_OBJ=%4 and STAV_ZAK=1")
                                .arg(QString::number(jobs[i]), order, QString::fromLatin1(Items[i].product),
                                     QString::number(Items[i].quantity))),
                      1);
    }
    EXPECT_TRUE(boxes().isEmpty()) << boxes().join('\n').toStdString();
    ASSERT_FALSE(HasFailure());

    // ---------------------------------------------------------------- items: calculation, internal order,
    // confirmation and job ticket
    {
        SCOPED_TRACE("order items");
        ASSERT_TRUE(clickRow(browser.DBGridZakazky, "C_OBJ", order));
        // Everything done in the items form; the form is closed afterwards whatever failed.
        const auto itemSteps = [&](TFormZakazkaDet *f) {
            EXPECT_EQ(f->windowTitle(), QString::fromUtf8("Zákaznícka objednávka č. ") + order);
            EXPECT_EQ(columnTexts(f->DBGridZakazkyD, "C_VYR"), (QStringList{"V1012", "V1014"}));
            for (int i = 0; i < 2; ++i) {
                const int job = jobs[i];
                SCOPED_TRACE(job);
                ASSERT_TRUE(clickRow(f->DBGridZakazkyD, "C_VYR", QString::fromLatin1(Items[i].product)));

                // The calculation: seeded from the product's route and bill of material, stored on OK.
                bool calculated = false;
                WhenModal<TZakKalkForm>([&](TZakKalkForm *k) {
                    calculated = k->windowTitle().endsWith(QString::number(job));
                    EXPECT_GT(odbyt->QZakOperacie.RecordCount(), 2) << "the route came with the product";
                    click(k->BtnZapis);
                });
                // A product made before: the last job's calculation is offered; declined, the calculation
                // is made afresh from the product.
                responder->MessageAnswers = {mrNo};
                click(f->BitBtnKalkulacia);
                EXPECT_TRUE(calculated);
                EXPECT_LE(boxes().size(), 1);
                for (const QString &box : boxes())
                    EXPECT_TRUE(box.startsWith(QString::fromUtf8("Prevziať kalkuláciu z poslednej zákazky ?")));
                responder->Messages.clear();
                responder->MessageAnswers.clear();
                EXPECT_EQ(count(QStringLiteral("select count(*) from ZAKKALK where C_INT=%1 and CENA1>0").arg(job)), 1);
                EXPECT_GE(count(QStringLiteral("select count(*) from ZAKOPERACIE where C_INT=%1").arg(job)), 3);

                // The internal order, previewed: printing it marks the item printed.
                QStringList intObj;
                WhenModal<TReportPreview>([&](TReportPreview *p) {
                    intObj = reportTexts(*QRTlacIntObj);
                    p->close();
                });
                chooseOption(1);
                click(f->BtnTlac);
                EXPECT_TRUE(intObj.contains(QString::fromLatin1(Items[i].product))) << intObj.join('|').toStdString();
                EXPECT_EQ(stateOf(job), 3);
                EXPECT_EQ(columnTexts(f->DBGridZakazkyD, "STAV_ZAK").value(i), QString::fromUtf8("Tlačená"));

                // Confirmed in the item dialog.
                WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
                    EXPECT_FALSE(d->sbPotvrdenie->isChecked());
                    EXPECT_EQ(d->sbPotvrdenie->text(), QString::fromUtf8("&Potvrď"));
                    click(d->sbPotvrdenie);
                    EXPECT_TRUE(d->sbPotvrdenie->isChecked());
                    EXPECT_EQ(d->LabelStav->text(), QString::fromUtf8("Potvrdená"));
                    click(d->BtnZapis);
                });
                click(f->btnOprav);
                EXPECT_EQ(stateOf(job), 5);

                // The job ticket of batch 1, printed.
                responder->InputAnswers = {QStringLiteral("1")};
                QString title;
                printOnPrinter(&title);
                chooseOption(2);
                click(f->BtnTlac);
                EXPECT_EQ(title, QString::fromUtf8("Sprievodný list odliatku")) << "the print dialog's title";
                ASSERT_NE(QRTlacSprievodka, nullptr);
                const QStringList ticket = reportTexts(*QRTlacSprievodka);
                EXPECT_TRUE(ticket.contains(QString::fromUtf8("SPRIEVODNÝ LÍSTOK VÝROBKU")));
                EXPECT_TRUE(ticket.contains(jobText(job))) << ticket.join('|').toStdString();
                ASSERT_FALSE(responder->Inputs.isEmpty());
                EXPECT_EQ(responder->Inputs.last().Prompt, QString::fromUtf8("Číslo dávky:"));
                EXPECT_EQ(count(QStringLiteral("select C_DAVKY from ZAKAZKYD where C_INT=%1").arg(job)), 1);
                EXPECT_GT(QFile(QDir(work.path()).filePath("tlac.pdf")).size(), 0);
                QFile::remove(QDir(work.path()).filePath("tlac.pdf"));
            }
        };
        WhenModal<TFormZakazkaDet>([&](TFormZakazkaDet *f) {
            itemSteps(f);
            click(f->btnKoniec);
        });
        click(browser.BitBtnPolozky);
    }
    EXPECT_TRUE(boxes().isEmpty()) << boxes().join('\n').toStdString();
    browser.close();
    ASSERT_FALSE(HasFailure());

    // ---------------------------------------------------------------- the capacity plan
    {
        SCOPED_TRACE("capacity plan");
        TSPlanForm plan;
        plan.show();
        QApplication::processEvents();
        // The detailed view lists the jobs' operations; each job is planned forward from tomorrow.
        const QList<QRadioButton *> views = plan.rgPohlad->findChildren<QRadioButton *>();
        ASSERT_GT(views.size(), 5);
        click(views[5]);
        TabTo(plan.cbSposobZaplanovania);
        QTest::keyClick(plan.cbSposobZaplanovania, Qt::Key_Home);
        EXPECT_EQ(plan.cbSposobZaplanovania->currentIndex(), 0);
        for (int job : jobs) {
            ASSERT_TRUE(clickRow(plan.DBgNEzaplanovane, "C_INT", jobText(job)));
            responder->InputAnswers = {DateStr(today.addDays(1))};
            click(plan.btnZaplanuj);
            ASSERT_FALSE(responder->Inputs.isEmpty());
            EXPECT_EQ(responder->Inputs.last().Caption, QString::fromUtf8("Zaplánuj zákazku"));
            EXPECT_EQ(stateOf(job), 30);
            EXPECT_GE(count(QStringLiteral("select count(*) from SPLAN where C_INT=%1").arg(job)), 3);
            EXPECT_GT(count(QStringLiteral("select count(*) from SPLAND where C_INT=%1 and DATUM>'%2'")
                                .arg(job)
                                .arg(today.toString(Qt::ISODate))),
                      0);
        }
        plan.pcSPlan->setCurrentWidget(plan.tabSPlan);
        const QStringList planned = columnTexts(plan.DBgSPlan, "C_INT");
        for (int job : jobs)
            EXPECT_TRUE(planned.contains(jobText(job))) << planned.join('|').toStdString();
        plan.close();
    }
    EXPECT_TRUE(boxes().isEmpty()) << boxes().join('\n').toStdString();
    ASSERT_FALSE(HasFailure());

    // ---------------------------------------------------------------- performances from the ticket's codes
    {
        SCOPED_TRACE("performances");
        TSVykonyForm performances;
        performances.show();
        performances.activateWindow();
        ASSERT_TRUE(ShowActive(&performances));
        const QMap<QString, QString> employeeOf{{"FOR", "101"}, {"CIS", "107"}, {"EXP", "112"}, {"BRU", "109"}};
        const auto scan = [&](const QString &code) {
            responder->InputAnswers.push_back(code);
            QWidget *focused = QApplication::focusWidget();
            QTest::keyClick(focused ? focused : &performances, Qt::Key_F12);
            QApplication::processEvents();
        };
        for (int i = 0; i < 2; ++i) {
            const int job = jobs[i];
            SCOPED_TRACE(job);
            TxQuery *ops = OpenQuery(QStringLiteral("select C_OPERACIE, OPERACIA, PROFESIA from ZAKOPERACIE where "
                                                    "C_INT=%1 and C_OPERACIE<1000 order by C_OPERACIE")
                                         .arg(job));
            QList<QStringList> operations;
            for (; !ops->Eof(); ops->Next())
                operations << QStringList{ops->Fields(0)->AsString(), ops->Fields(1)->AsString().trimmed(),
                                          ops->Fields(2)->AsString().trimmed()};
            ops->Close();
            ASSERT_GE(operations.size(), 3);
            for (const QStringList &op : operations) {
                SCOPED_TRACE(op.join(' ').toStdString());
                if (op[1] == QLatin1String("EXP")) {
                    EXPECT_EQ(stateOf(job), 40) << "cast, not yet dispatched";
                }
                scan(employeeOf.value(op[2], QStringLiteral("112")));
                EXPECT_EQ(performances.pcVykony->currentWidget(), performances.tsPracovnik);
                scan(JobTicketBarcodeText(job, 1, op[0].toInt()));
                EXPECT_EQ(vyk->QvSVykony.FieldByName("C_INT")->AsInteger(), job);
                EXPECT_EQ(vyk->QvSVykony.FieldByName("OPERACIA")->AsString().trimmed(), op[1]);
                EXPECT_EQ(QApplication::focusWidget(), performances.DBeMNOZSTVO);
                type(performances.DBeMNOZSTVO, QString::number(Items[i].quantity));
                if (performances.DBeOHOD->isVisible())
                    type(performances.DBeOHOD, QStringLiteral("1:00"));
                click(performances.BtnZapis2);
                EXPECT_EQ(count(QStringLiteral("select count(*) from SVYKONY where C_INT=%1 and C_OPERACIE=%2 and "
                                               "C_DAVKY=1 and MNOZSTVO=%3 and DATUM='%4'")
                                    .arg(job)
                                    .arg(op[0])
                                    .arg(Items[i].quantity)
                                    .arg(today.toString(Qt::ISODate))),
                          1)
                    << boxes().join('\n').toStdString();
                if (op[1] == QLatin1String("ODL")) {
                    EXPECT_EQ(stateOf(job), 40);
                }
                click(performances.BtnNezapis2);
            }
            EXPECT_EQ(stateOf(job), 50);
            EXPECT_EQ(boxes().count(QStringLiteral("Zakazka je kompletne vyexpedovana na SHV.")), i + 1);
        }
        const QStringList listed = columnTexts(performances.DBGridPracovnik, "C_INT");
        EXPECT_GE(listed.count(jobText(jobs[0])), 1);
        performances.close();
    }
    ASSERT_FALSE(HasFailure());
    responder->Messages.clear();

    // ---------------------------------------------------------------- hand-over and delivery note
    int note = 0;
    {
        SCOPED_TRACE("hand-over");
        TSOdvodyForm handOver;
        handOver.show();
        QApplication::processEvents();
        type(handOver.vDATUM, DateStr(today));
        click(handOver.BtnNovy);
        EXPECT_EQ(handOver.pcOdvody->currentWidget(), handOver.tabDetail);
        for (int i = 0; i < 2; ++i) {
            responder->MessageAnswers.push_back(mrYes);
            type(handOver.DBEditC_INT, QString::number(jobs[i]));
            type(handOver.DBEditMNOZSTVO, QString::number(Items[i].quantity));
            click(handOver.BtnZapis);
            EXPECT_EQ(stateOf(jobs[i]), 90);
            ASSERT_FALSE(boxes().isEmpty());
            EXPECT_TRUE(boxes().last().contains(QStringLiteral("Odvedených : %1").arg(Items[i].quantity)))
                << boxes().last().toStdString();
        }
        click(handOver.BtnNezapis);
        EXPECT_EQ(handOver.pcOdvody->currentWidget(), handOver.tabOdvody);
        const QStringList listed = columnTexts(handOver.DBGridOdvody, "C_INT");
        for (int job : jobs)
            EXPECT_TRUE(listed.contains(jobText(job))) << listed.join('|').toStdString();
        EXPECT_EQ(
            count(QStringLiteral("select count(*) from SODVODY where C_INT in (%1, %2)").arg(jobs[0]).arg(jobs[1])), 2);

        SCOPED_TRACE("delivery note");
        ASSERT_TRUE(clickRow(handOver.DBGridOdvody, "C_INT", jobText(jobs[0])));
        responder->MessageAnswers.push_back(mrYes);
        QString title;
        printOnPrinter(&title);
        click(handOver.btnVystavDL);
        EXPECT_EQ(title, QString::fromUtf8("Dodací list")) << "the print dialog's title";
        const QString made = boxes().value(boxes().size() - 1);
        ASSERT_TRUE(made.startsWith(QString::fromUtf8("Dodací list má číslo "))) << boxes().join('\n').toStdString();
        note = made.mid(21).section('\r', 0, 0).toInt();
        ASSERT_GT(note, 0);
        EXPECT_TRUE(made.contains(QString::fromUtf8("Konzola motora - 40ks"))) << made.toStdString();
        EXPECT_TRUE(made.contains(QString::fromUtf8("Rošt kotla - 60ks"))) << made.toStdString();
        EXPECT_GT(QFile(QDir(work.path()).filePath("tlac.pdf")).size(), 0) << "the note was printed";
        for (int job : jobs)
            EXPECT_EQ(stateOf(job), 100) << "delivered in full";
        EXPECT_EQ(count(QStringLiteral("select count(*) from EDLISTY where C_DL=%1 and C_ODB=12 and C_OBJ='%2'")
                            .arg(note)
                            .arg(order)),
                  1);
        EXPECT_EQ(count(QStringLiteral("select sum(MNOZ_VYR) from EDLISTYD where C_DL=%1").arg(note)), 100);
        handOver.close();
    }
    ASSERT_FALSE(HasFailure());
    responder->Messages.clear();

    // ---------------------------------------------------------------- the invoice and the export
    {
        SCOPED_TRACE("invoice");
        TEDListyForm notes;
        notes.show();
        QApplication::processEvents();
        // The note's number shows as the note prints it.
        ASSERT_TRUE(clickRow(notes.DBGridListy, "C_DL", FormatFloat(QLatin1String(NoteNumberFormat), note)))
            << columnTexts(notes.DBGridListy, "C_DL").join('|').toStdString();
        QString invoice;
        WhenModal<TEFakturaForm>([&](TEFakturaForm *f) {
            EXPECT_EQ(f->windowTitle(), QString::fromUtf8("Faktúra k Dodaciemu listu č. %1").arg(NoteNumberText(note)));
            EXPECT_EQ(f->eICO->text(), "31600777");
            invoice = f->eC_FAKTURY->text().trimmed();
            click(f->BtnOK);
        });
        click(notes.BitBtnFa);
        ASSERT_FALSE(invoice.isEmpty());
        EXPECT_EQ(value(QStringLiteral("select C_FAKTURY from EDLISTY where C_DL=%1").arg(note)).toString().trimmed(),
                  invoice);
        EXPECT_TRUE(columnTexts(notes.DBGridListy, "C_FAKTURY").contains(invoice));
        QFile exported(QDir(work.path()).filePath("export.txt"));
        ASSERT_TRUE(exported.open(QIODevice::ReadOnly)) << "no export.txt in the current folder";
        const QByteArray bytes = exported.readAll();
        EXPECT_TRUE(bytes.startsWith("R00\t")) << bytes.left(40).toStdString();
        EXPECT_TRUE(bytes.contains("R01\tLo\x9Eisk\xE1 Martin s.r.o.\t31600777\t")) << "Windows-1250 bytes";
        EXPECT_TRUE(bytes.contains(QByteArray("\t") + order.toLatin1() + "\t")) << "the invoice names the order";
        EXPECT_EQ(bytes.count("\r\nR02\t"), 2) << "a line per delivered job";
        EXPECT_TRUE(bytes.contains("Ro\x9At kotla")) << "the item names in Windows-1250";
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_FALSE(bytes.contains("\n\n"));
        // The one box of the road: where the invoice was written for the accounting.
        EXPECT_EQ(boxes(), QStringList{QString::fromUtf8("Faktúra %1 je zapísaná pre účtovníctvo do súboru\r\n%2")
                                           .arg(invoice, QDir::toNativeSeparators(exported.fileName()))});
        responder->Messages.clear();
        notes.close();
    }
    EXPECT_TRUE(boxes().isEmpty()) << boxes().join('\n').toStdString();
}
