#include "SRVQR1Rep.h"

#include "DMVyroba.h"
#include "ProductionReport.h"
#include "platform/report/QRBand.h"
#include "platform/report/QRControls.h"

TSRVQR1Rep *SRVQR1Rep = nullptr;

TSRVQR1Rep::TSRVQR1Rep()
{
    SRVQR1Rep = this;
    const TColumnReportBands bands = BuildColumnReport(
        *this, QStringLiteral("SRVQR1Rep"), QString::fromUtf8("Rozpracovaná výroba ku dňu"), false, &DMVyroba->QSRV,
        {{"č.Zákazky", "C_INT", "", 50},
         {"č.Výrobku", "C_VYR", "", 80},
         {"Názov výrobku", "NAZOV", "", 120},
         {"č.Operácie", "C_OPERACIE", "###", 40},
         {"Množstvo", "MNOZSTVO", "", 46},
         {"Váha", "VAHA1*MNOZSTVO", "###0.0", 50, true},
         {"Materiál", "MATC", "### ###.00", 60, true},
         {"Mzdy", "MZDC", "### ###.00", 60, true}});
    QRlDatum = bands.Header->Add<TQRLabel>(QStringLiteral("QRlDatum"));
    QRlDatum->Left = 260;
    QRlDatum->Width = 100;
}

TSRVQR1Rep::~TSRVQR1Rep()
{
    if (SRVQR1Rep == this)
        SRVQR1Rep = nullptr;
}
