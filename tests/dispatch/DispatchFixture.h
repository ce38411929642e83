// The dispatch data module on a fresh database (with the base and code-list modules it stands on), a
// message responder that records and answers every box, and a small foundry: customers, products, a
// finished-goods store with stock, orders with jobs.
#pragma once

#include "dispatch/DMExp.h"
#include "shell/DMCis.h"
#include "shell/Routines.h"
#include "common/ModuleFixture.h"

#include <QDir>
#include <memory>

class DispatchTest : public ModuleTest {
protected:
    DispatchTest() : ModuleTest(Boxes::Answered) {}
    void afterConnect() override
    {
        cis = std::make_unique<TDMCis>();
        exp = std::make_unique<TDMExp>();
        CurrencyCode = QStringLiteral("EUR");
    }
    void beforeDisconnect() override
    {
        exp.reset();
        cis.reset();
    }

    void customer(int number, const QString &name, const QString &ico = QStringLiteral("NULL"),
                  const QString &terms = QStringLiteral("NULL"))
    {
        exec(QStringLiteral("insert into CODBERATELOV (C_ODB, ODBERATEL, ICO, ULICA, MESTO, PSC, STAT, PLAT_PODM) "
                            "values (%1, '%2', %3, 'Hlavná 1', 'Martin', '03601', 'SK', %4)")
                 .arg(number)
                 .arg(name, ico, terms));
    }
    void product(const QString &code, double weight = 2.5)
    {
        exec(QStringLiteral("insert into POLOZKY (C_POL, TYP1, NAZOV, VAHA1, CENA_NAKL, C_POL_EXT) "
                            "values ('%1', 'V', 'Odliatok %1', %2, 40, 'EXT-%1')")
                 .arg(code, SqlFloat(weight)));
    }
    void store(const QString &code = QStringLiteral("V1"))
    {
        exec(QStringLiteral("insert into CSKLADOV (SKLAD, NAZOV_SKLADU, TYP_SKLADU) values ('%1', 'Expedícia', 'V')")
                 .arg(code));
    }
    // A receipt into the store on a day.
    void receipt(const QString &product, double quantity, const QString &day = QStringLiteral("2026-03-01"),
                 const QString &storeCode = QStringLiteral("V1"))
    {
        exec(QStringLiteral("insert into MPOHYBY (DATUM, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO, CENA_NAKL) "
                            "values ('%1', 10, '%2', '%3', %4, 40)")
                 .arg(day, storeCode, product, SqlFloat(quantity)));
    }
    void order(const QString &number, int customerNo, const QString &name, double advance = 0)
    {
        exec(QStringLiteral("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, ODBERATEL, D_OBJ, MENA, DOPRAVA, ZALOHA) "
                            "values ('%1', 'Z', %2, '%3', '2026-03-02', 'EUR', 'Kuriér', %4)")
                 .arg(number, QString::number(customerNo), name, SqlFloat(advance)));
    }
    // A job with its calculation (unit price in the order's currency and the surcharge coefficients).
    void job(int cInt, const QString &orderNo, const QString &productCode, int ordered, int state = 90,
             double price = 80, const QString &due = QStringLiteral("2026-03-10"), int complaintOf = 0)
    {
        exec(QStringLiteral("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, MNOZ_VYR, TERMIN_OBJ, TERMIN, "
                            "STAV_ZAK, C_REV, C_INT_RE) values (%1, '%2', '%3', %4, %4, '%5', '%5', %6, 0, %7)")
                 .arg(QString::number(cInt), orderNo, productCode, QString::number(ordered), due,
                      QString::number(state), QString::number(complaintOf)));
        exec(QStringLiteral("insert into ZAKKALK (C_INT, CENA_KURZ1, NAKL1, MIM1, KOEF_MAT, KOEF_DOP, KURZ, MENA) "
                            "values (%1, %2, 50, 1.5, 0.4, 0.1, 1, 'EUR')")
                 .arg(cInt)
                 .arg(SqlFloat(price)));
    }
    // Customer 5 with order ZAK260001: job 260001 of 10 V1 and job 260002 of 6 V1; 12 V1 in the store.
    void foundry()
    {
        customer(5, QString::fromUtf8("Strojárne Martin"), QStringLiteral("36123456"), QStringLiteral("'30'"));
        product(QStringLiteral("V1"));
        store();
        receipt(QStringLiteral("V1"), 12);
        order(QStringLiteral("ZAK260001"), 5, QString::fromUtf8("Strojárne Martin"), 500);
        job(260001, QStringLiteral("ZAK260001"), QStringLiteral("V1"), 10);
        job(260002, QStringLiteral("ZAK260001"), QStringLiteral("V1"), 6, 90, 80, QStringLiteral("2026-03-12"));
    }
    // Opens the headers on note 0 (none) with their lines, as the dialog for a new note finds them.
    void openNewNote()
    {
        TxDataSet &h = exp->QEDListy;
        h.Close();
        h.SelectSQL.SetStrings(2, QStringLiteral("where c_dl=0"));
        h.Open();
        exp->QEDListyD.Open();
        h.Append();
    }
    // Opens note c_dl with its lines.
    void openNote(int cDl)
    {
        exp->SelectNotes(2, QString::number(cDl));
        ASSERT_FALSE(exp->QEDListy.IsEmpty());
    }
    int lineCount(int cDl) { return count(QStringLiteral("select count(*) from EDLISTYD where c_dl=%1").arg(cDl)); }

    std::unique_ptr<TDMCis> cis;
    std::unique_ptr<TDMExp> exp;
};
