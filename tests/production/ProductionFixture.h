// The production data module on a fresh database with the sales modules it stands on, and helpers to add
// workplaces with schedules, jobs with operations and stored plans.
#pragma once

#include "production/DMVyroba.h"
#include "sales/SalesFixture.h"

class ProductionTest : public SalesTest {
protected:
    void afterConnect() override
    {
        SalesTest::afterConnect();
        vyroba = std::make_unique<TDMVyroba>();
    }
    void beforeDisconnect() override
    {
        vyroba.reset();
        SalesTest::beforeDisconnect();
    }
    // A workplace with a schedule of its own name.
    void workplace(const QString &code, int machines = 1, int days = 5, int shifts = 1, double hours = 7.5)
    {
        exec(QStringLiteral("insert into CROZVRHOV (ROZVRH, DNI, ZMENY, HODINY) values ('%1', %2, %3, %4)")
                 .arg(code, QString::number(days), QString::number(shifts), SqlFloat(hours)));
        exec(QStringLiteral("insert into CPRACOVISK (PRACOVISKO, ROZVRH, STROJE) values ('%1', '%1', %2)")
                 .arg(code, QString::number(machines)));
    }
    // A job of product V1 (made on first use) in its own order.
    void openJob(int cInt, int pieces, const QString &due, int state = 5)
    {
        if (count(QStringLiteral("select count(*) from POLOZKY where C_POL='V1'")) == 0)
            product(QStringLiteral("V1"));
        const QString orderNo = QStringLiteral("Z%1").arg(cInt);
        order(orderNo);
        job(cInt, orderNo, QStringLiteral("V1"), pieces, state, due.isEmpty() ? QStringLiteral("2026-04-01") : due);
        if (due.isEmpty())
            exec(QStringLiteral("update ZAKAZKYD set TERMIN=null where C_INT=%1").arg(cInt));
    }
    void operation(int cInt, int number, const QString &code, double unit, double prep = 0, double gap = 0)
    {
        exec(QStringLiteral("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, PRACOVISKO, CAS_JED, CAS_PRIP, "
                            "CAS_MEDZI) values (%1, %2, 'OP%3', '%4', %5, %6, %7)")
                 .arg(cInt)
                 .arg(number)
                 .arg(number / 10)
                 .arg(code, SqlFloat(unit), SqlFloat(prep), SqlFloat(gap)));
    }
    // A stored plan of one operation on one day, as another workstation would have saved it.
    void storedPlan(int cInt, int number, const QString &date, const QString &code, int pieces, double hours)
    {
        exec(QStringLiteral("insert into SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO, MNOZ_PLAN, NHOD_PLAN) "
                            "values ('%1', %2, %3, '%4', %5, %6)")
                 .arg(date, QString::number(cInt), QString::number(number), code, QString::number(pieces),
                      SqlFloat(hours)));
        exec(QStringLiteral("update or insert into SPLAN (OBDOBIE, C_INT, C_OPERACIE, MNOZ_PLAN, ZACIATOK, KONIEC) "
                            "values ('X', %1, %2, %3, '%4', '%4') matching (OBDOBIE, C_INT, C_OPERACIE)")
                 .arg(cInt)
                 .arg(number)
                 .arg(pieces)
                 .arg(date));
    }
    // The day plan as "date job/operation workplace pieces minutes" lines in key order.
    QStringList dayPlan()
    {
        QStringList lines;
        TxQuery *q = OpenQuery(QStringLiteral("select DATUM, C_INT, C_OPERACIE, PRACOVISKO, MNOZ_PLAN, NHOD_PLAN "
                                              "from SPLAND order by C_INT, C_OPERACIE, DATUM"));
        for (; !q->Eof(); q->Next())
            lines << QStringLiteral("%1 %2/%3 %4 %5 %6")
                         .arg(q->Fields(0)->AsDate().toString(QStringLiteral("d.M.")),
                              QString::number(q->Fields(1)->AsInteger()), QString::number(q->Fields(2)->AsInteger()),
                              q->Fields(3)->AsString(), QString::number(q->Fields(4)->AsFloat()),
                              QString::number(q->Fields(5)->AsFloat() * 60));
        q->Close();
        return lines;
    }
    bool plan(int direction, int cInt = 0, int cOperacie = 0, const QDate &start = QDate(2026, 3, 16))
    {
        return vyroba->Planning.RunCapacityPlanning(TPlanningRequest{direction, cInt, cOperacie, start});
    }

    std::unique_ptr<TDMVyroba> vyroba;
};
