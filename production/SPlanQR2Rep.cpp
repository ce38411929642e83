#include "SPlanQR2Rep.h"

#include "DMVyroba.h"
#include "ProductionReport.h"
#include "platform/report/QRBand.h"
#include "platform/report/QRControls.h"

TSPlanQR2Rep *SPlanQR2Rep = nullptr;

TSPlanQR2Rep::TSPlanQR2Rep()
{
    SPlanQR2Rep = this;
    const TColumnReportBands bands =
        BuildColumnReport(*this, QStringLiteral("SPlanQR2Rep"),
                          QString::fromUtf8("Plánovanie a sumarizácia dennej výroby"), true, &DMVyroba->QSPlan,
                          {{"č.Zákazky", "C_INT", "", 46},
                           {"č.Výrobku", "C_VYR", "", 70},
                           {"Názov výrobku", "NAZOV", "", 90},
                           {"Op.", "OPERACIA", "", 26},
                           {"Os.č.", "OSC", "", 30},
                           {"Stroj", "STROJ", "", 36},
                           {"Plánované množstvo", "Plánované", "", 44},
                           {"Materiál", "''", "", 36},
                           {"Dávka", "''", "", 30},
                           {"Teplota", "''", "", 30},
                           {"Čas", "''", "", 30},
                           {"Skutočné množstvo", "''", "", 40},
                           {"Zmätky", "''", "", 30},
                           {"NormoHodiny", "NormoHodiny", "###0.0", 40, true}});
    QRlISO1 = bands.Header->Add<TQRLabel>(QStringLiteral("QRlISO1"));
    QRlISO1->Top = 22;
    QRlISO1->Width = 200;
    QRlISO2 = bands.Header->Add<TQRLabel>(QStringLiteral("QRlISO2"));
    QRlISO2->Top = 22;
    QRlISO2->Left = 220;
    QRlISO2->Width = 200;
    double left = 300;
    int i = 0;
    for (const char *sign : {"Plánoval:", "Zmena / MRV:", "Dátum:"}) {
        auto *l = bands.Summary->Add<TQRLabel>(QStringLiteral("QRlPodpis%1").arg(++i));
        l->Caption = QString::fromUtf8(sign);
        l->Left = left;
        left += 120;
    }
    // Only rows with an employee go on the sheet.
    bands.Detail->BeforePrint = [](TQRBand *, bool &print) {
        print = DMVyroba->QSPlan.FieldByName(QStringLiteral("OSC"))->AsInteger() != 0;
    };
}

TSPlanQR2Rep::~TSPlanQR2Rep()
{
    if (SPlanQR2Rep == this)
        SPlanQR2Rep = nullptr;
}
