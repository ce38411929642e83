// The sales and technology data modules on a fresh database (with the base and code-list modules they
// stand on), a message responder that records every box, and helpers to fill code lists and orders.
#pragma once

#include "library/SqlLiteral.h"
#include "sales/DMOdbyt.h"
#include "sales/DMTPV.h"
#include "shell/DMCis.h"
#include "shell/Routines.h"
#include "common/ModuleFixture.h"
#include "common/PersonTyping.h"
#include "platform/db/SqlWait.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

// Closes each window of type T that comes up while it watches, whether or not it is the active modal window (a
// pick list that comes up over a dialog being closed is not); Came tells whether one did.
template <class T> class WindowWatch {
public:
    WindowWatch()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (qobject_cast<T *>(w) && w->isVisible()) {
                    Came = true;
                    w->close();
                }
        });
    }
    void Start() { timer_.start(10); }
    void Stop() { timer_.stop(); }
    bool Came = false;

private:
    QTimer timer_;
};

class SalesTest : public ModuleTest {
protected:
    SalesTest() : ModuleTest(Boxes::Answered) {}
    void afterConnect() override
    {
        cis = std::make_unique<TDMCis>();
        tpv = std::make_unique<TDMTPV>();
        odbyt = std::make_unique<TDMOdbyt>();
    }
    void beforeDisconnect() override
    {
        SetSqlWaitHook(nullptr);
        odbyt.reset();
        tpv.reset();
        cis.reset();
        CurrencyCode = QStringLiteral("EUR");
    }
    // Tab to the edit, type the text over what Tab selected (letters outside ASCII too) and leave it with Tab.
    static void type(QWidget *edit, const QString &text, std::source_location where = std::source_location::current())
    {
        TabAndType(edit, text, where);
    }
    // The same with the focus put into the edit directly and its text selected by Ctrl+A, for the few tests
    // whose field Tab does not reach yet as a person would.
    static void typeDirectly(QWidget *edit, const QString &text)
    {
        PutFocusDirectly(edit);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        TypeText(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        Settle();
    }
    // A customer, a product of a material with its weights, and an order with one job of the product.
    void product(const QString &code, const QString &material = QStringLiteral("GJL-250"), double gross = 12.5,
                 double net = 10)
    {
        // Each value is put in once: a code such as "A%2" stays as it is.
        exec(QStringLiteral("insert into POLOZKY (C_POL, TYP1, NAZOV, MATERIAL, VAHA_MAT, VAHA1, CENA_PRED) "
                            "values (%1, 'V', %2, %3, %4, %5, 80)")
                 .arg(SqlLiteral(code), SqlLiteral(QStringLiteral("Odliatok ") + code), SqlLiteral(material),
                      SqlFloat(gross), SqlFloat(net)));
    }
    void order(const QString &number, int customer = 5)
    {
        exec(QStringLiteral("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA) values (%1, 'Z', %2, 'EUR')")
                 .arg(SqlLiteral(number), QString::number(customer)));
    }
    void job(int cInt, const QString &orderNo, const QString &product, int ordered = 10, int state = 1,
             const QString &due = QStringLiteral("2026-04-01"), int complaintOf = 0)
    {
        exec(QStringLiteral("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, MNOZ_VYR, TERMIN_OBJ, TERMIN, "
                            "STAV_ZAK, C_REV, C_INT_RE) values (%1, %2, %3, %4, %4, %5, %5, %6, 0, %7)")
                 .arg(QString::number(cInt), SqlLiteral(orderNo), SqlLiteral(product), QString::number(ordered),
                      SqlLiteral(due), QString::number(state), QString::number(complaintOf)));
    }
    // Tariffs, workplaces, materials, cost types, operations and the overhead rates of the calculation.
    void calculationCodeLists()
    {
        for (const char *sql : {
                 "insert into CTARIFOV (TARIF, MZDAH) values ('T5', 6)",
                 "insert into CPRACOVISK (PRACOVISKO, NAZOV_PRAC, TYP_VYRREZ, KOEF_VYRREZ) values ('FORM', 'Formovňa', "
                 "'%', 50)",
                 "insert into CPRACOVISK (PRACOVISKO, NAZOV_PRAC, TYP_VYRREZ, KOEF_VYRREZ) values ('CIST', "
                 "'Čistiareň', 'H', 12)",
                 "insert into CMATERIALOV (MATERIAL, CENA_MAT) values ('GJL-250', 1.6)",
                 "insert into CMATERIALOV (MATERIAL, CENA_MAT) values ('GJS-400       T', 2.0)",
                 "insert into CNAKLADOV (TYP_NAKL, NAKLAD, NAZOV_NAKL, KOEF_NAKL) values ('O', 'BAL', 'Balenie', 0)",
                 "insert into CNAKLADOV (TYP_NAKL, NAKLAD, NAZOV_NAKL, KOEF_NAKL) values ('O', 'TS', 'Tryskanie', 2)",
                 "insert into CNAKLADOV (TYP_NAKL, NAKLAD, NAZOV_NAKL, KOEF_NAKL) values ('M', 'ZIH', 'Žíhanie', 0)",
                 "insert into COPERACII (C_OPERACIE, OPERACIA, NAZOV_OP, PRACOVISKO, PROFESIA, TARIF) values (10, "
                 "'FOR', 'Formovanie', 'FORM', 'FOR', 'T5')",
                 "insert into COPERACII (C_OPERACIE, OPERACIA, NAZOV_OP, PRACOVISKO, PROFESIA, TARIF) values (20, "
                 "'CIS', 'Čistenie', 'CIST', 'CIS', 'T5')",
                 "insert into CREZII (POLE, NAZOV, HODNOTA, ZAKLAD) values ('P_ODVMZD', 'Odvody', 35, 'M')",
                 "insert into CREZII (POLE, NAZOV, HODNOTA, ZAKLAD) values ('K_VYRREZ', 'Výrobná réžia', 50, 'M')",
                 "insert into CREZII (POLE, NAZOV, HODNOTA, ZAKLAD) values ('K_SPRREZ', 'Správna réžia', 10, 'U')",
                 "insert into CREZII (POLE, NAZOV, HODNOTA, ZAKLAD) values ('P_ZISKU', 'Zisk', 15, 'U')",
                 "insert into CREZII (POLE, NAZOV, HODNOTA, ZAKLAD) values ('P_PREPALU', 'Prepal', 4, ' ')",
             })
            exec(QString::fromUtf8(sql));
    }
    // The code lists of the calculation, product V1 and its job 260001 of order ZAK260001.
    void calculationJob()
    {
        calculationCodeLists();
        product("V1");
        order("ZAK260001");
        job(260001, "ZAK260001", "V1");
    }
    // Opens the calculation header of a job as the dialog does; a job without one gets a new header.
    void openCalculation(int cInt)
    {
        TxTable &h = odbyt->QvZakKalk;
        h.Close();
        h.SetFilter(QStringLiteral("C_INT=%1").arg(cInt));
        h.Open();
        if (h.IsEmpty())
            h.Append();
        else
            h.Edit();
        for (TDataSet *ds : std::initializer_list<TDataSet *>{&odbyt->QZakOperacie, &odbyt->QZakKusovnik,
                                                              &odbyt->QZakKalkO, &odbyt->QZakKalkM})
            ds->Open();
    }
    void closeCalculation()
    {
        for (TDataSet *ds : std::initializer_list<TDataSet *>{&odbyt->QvZakKalk, &odbyt->QZakKalkO, &odbyt->QZakKalkM,
                                                              &odbyt->QZakOperacie, &odbyt->QZakKusovnik})
            ds->Close();
    }
    double header(const char *name) { return odbyt->QvZakKalk.FieldByName(QString::fromLatin1(name))->AsFloat(); }
    void setHeader(const char *name, const QVariant &v)
    {
        odbyt->QvZakKalk.FieldByName(QString::fromLatin1(name))->SetValue(v);
    }
    // Appends and posts an operation of the job.
    void addOperation(int number, const char *code, double minutes, const char *tariff = "T5",
                      const char *workplace = "FORM")
    {
        TxTable &op = odbyt->QZakOperacie;
        op.Append();
        op.FieldByName(QStringLiteral("C_OPERACIE"))->SetValue(number);
        op.FieldByName(QStringLiteral("OPERACIA"))->SetValue(QString::fromLatin1(code));
        op.FieldByName(QStringLiteral("TARIF"))->SetValue(QString::fromLatin1(tariff));
        op.FieldByName(QStringLiteral("PRACOVISKO"))->SetValue(QString::fromLatin1(workplace));
        op.FieldByName(QStringLiteral("CAS_JED"))->SetValue(minutes);
        op.Post();
    }
    // Counts the statements sent while it lives.
    struct StatementCounter {
        int begun = 0;
        StatementCounter()
        {
            SetSqlWaitHook([this](bool busy) {
                if (busy)
                    ++begun;
            });
        }
        ~StatementCounter() { SetSqlWaitHook(nullptr); }
    };

    std::unique_ptr<TDMCis> cis;
    std::unique_ptr<TDMTPV> tpv;
    std::unique_ptr<TDMOdbyt> odbyt;
};

// The sales fixture with the calculation's code lists, product V1 and its job 260001 already in place.
class SalesJobTest : public SalesTest {
protected:
    void afterConnect() override
    {
        SalesTest::afterConnect();
        calculationJob();
    }
};
