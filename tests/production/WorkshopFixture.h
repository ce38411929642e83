// The workshop: the work-performance and the attendance and wages data modules on a fresh database (over the sales
// fixture), with employees and a job whose operations are ready to book.
#pragma once

#include "production/DMMzdy.h"
#include "production/DMVyk.h"
#include "sales/SalesFixture.h"
#include "platform/report/QuickRep.h"

class WorkshopTest : public SalesTest {
protected:
    void afterConnect() override
    {
        SalesTest::afterConnect();
        saved = {NotifyMnozstvo, EvidovatOHod, EvidovatZmatky, NotifyProfesia};
        NotifyMnozstvo = true;
        EvidovatOHod = true;
        NotifyProfesia = 1;
        vyk = std::make_unique<TDMVyk>();
        mzdy = std::make_unique<TDMMzdy>();
    }
    void beforeDisconnect() override
    {
        mzdy.reset();
        vyk.reset();
        NotifyMnozstvo = saved.notifyMnozstvo;
        EvidovatOHod = saved.evidovatOHod;
        EvidovatZmatky = saved.evidovatZmatky;
        NotifyProfesia = saved.notifyProfesia;
        SalesTest::beforeDisconnect();
    }

    void employee(int osc, const char *surname, const char *profession = "FOR")
    {
        exec(QStringLiteral("insert into CZAMESTNANCOV (OSC, PRIEZVISKO, MENO, STREDISKO, PROFESIA) "
                            "values (%1, '%2', 'Ján', 'S1', '%3')")
                 .arg(osc)
                 .arg(QString::fromUtf8(surname), QString::fromLatin1(profession)));
    }
    // Job 260001 of product V1 with `toProduce` pieces and two operations: 10 casting 'ODL' (profession
    // FOR, 30 min preparation, 6 min a piece, tariff T5 at 4.00/h) and 20 'EXP' (no tariff, piece rate 0.5).
    void bookableJob(double toProduce = 100, double loss = 5)
    {
        exec(QStringLiteral("insert into CTARIFOV (TARIF, MZDAH) values ('TX', 4)"));
        product("V1");
        order("ZAK260001");
        job(260001, "ZAK260001", "V1", int(toProduce));
        exec(QStringLiteral("update ZAKAZKYD set MNOZ_VYR=%1 where C_INT=260001").arg(SqlFloat(toProduce)));
        exec(QStringLiteral("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, PROFESIA, TARIF, CAS_PRIP, CAS_JED, "
                            "MZDA, P_STRATY) values (260001, 10, 'ODL', 'FOR', 'TX', 30, 6, 0.8, %1)")
                 .arg(SqlFloat(loss)));
        exec(QStringLiteral("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, PROFESIA, TARIF, CAS_PRIP, CAS_JED, "
                            "MZDA, P_STRATY) values (260001, 20, 'EXP', ' ', null, 0, 0, 0.5, null)"));
    }
    // A performance written straight into the table.
    void booked(const char *date, int osc, int operation, double quantity, double hours = 0, double wage = 0,
                int shift = 1, double nhod = 0, double defects = 0)
    {
        exec(QStringLiteral("insert into SVYKONY (DATUM, ZMENA, OSC, C_INT, C_DAVKY, C_OPERACIE, OPERACIA, MNOZSTVO, "
                            "ZMATKY, NORMA, MZDA, NHOD, OHOD) values ('%1', %2, %3, 260001, 0, %4, '%5', %6, %7, 0, "
                            "%8, %9, %10)")
                 .arg(QLatin1String(date), QString::number(shift), QString::number(osc), QString::number(operation),
                      operation == 10 ? QStringLiteral("ODL") : QStringLiteral("EXP"), SqlFloat(quantity),
                      SqlFloat(defects), SqlFloat(wage), SqlFloat(nhod), SqlFloat(hours)));
    }
    // The texts of every page of a prepared report, in order.
    static QStringList reportTexts(const TQuickRep &rep)
    {
        QStringList texts;
        for (const TQRPage &page : rep.Pages())
            for (const TQRItem &item : page.items)
                if (item.kind == TQRItem::Text)
                    texts << item.text;
        return texts;
    }
    QStringList errors() const
    {
        QStringList texts;
        for (const TMessageRequest &m : responder->Messages)
            texts << m.Text;
        return texts;
    }

    struct Saved {
        bool notifyMnozstvo = false, evidovatOHod = false, evidovatZmatky = false;
        int notifyProfesia = 0;
    } saved;
    std::unique_ptr<TDMVyk> vyk;
    std::unique_ptr<TDMMzdy> mzdy;
};
