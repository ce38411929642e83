#include "SOdvQR1Rep.h"

#include "ProductionReport.h"
#include "platform/report/QRBand.h"
#include "platform/report/QRControls.h"
#include "shell/DMZal.h"

TSOdvQR1Rep *SOdvQR1Rep = nullptr;

TSOdvQR1Rep::TSOdvQR1Rep()
{
    SOdvQR1Rep = this;
    QRGroup1 = AddGroup(QStringLiteral("QRGroup1"), QStringLiteral("ODBERATEL"));
    QRGroup1->Height = 18;
    auto *customer = QRGroup1->Add<TQRDBText>(QStringLiteral("QRDBTextOdberatel"));
    customer->DataField = QStringLiteral("ODBERATEL");
    customer->Width = 300;
    QRBandOdberatel = AddBand(rbGroupFooter, QStringLiteral("QRBandOdberatel"));
    QRBandOdberatel->Height = 18;
    QRGroup1->FooterBand = QRBandOdberatel;
    BuildColumnReport(*this, QStringLiteral("SOdvQR1Rep"), QString::fromUtf8("Odvody výrobkov "), true, &DMZal->QTlac,
                      {{"Dátum", "DATUM", "d/m/yy", 50},
                       {"Doklad", "C_DOKLADU", "", 36},
                       {"Zákazka", "C_INT", "00/0000", 46},
                       {"Výrobok", "C_VYR", "", 80},
                       {"Objednávka", "C_OBJ", "", 70},
                       {"Množstvo", "MNOZSTVO", "", 46, true},
                       {"Váha", "VAHAC", "# ##0.0", 50, true},
                       {"Materiál", "MATC", "# ##0.00", 60, true},
                       {"Mzdy", "MZDC", "# ##0.00", 60, true},
                       {"Vlastné náklady", "VLNC", "# ##0.00", 60, true},
                       {"Úplné vl. náklady", "UVNC", "# ##0.00", 60, true},
                       {"Predajná cena", "CENA_PREDC", "# ##0.00", 60, true},
                       {"Mena", "MENA", "", 30},
                       {"Faktúra, Pred.Fa.", "C_FAKTURY", "", 70}},
                      QRBandOdberatel);
}

void TSOdvQR1Rep::SetView(int view)
{
    const bool sums = view >= 3;
    // Columns 2, 3 and 5: document, job and customer order.
    for (int column : {2, 3, 5}) {
        for (const QString &name : {QStringLiteral("QRDBText%1").arg(column), QStringLiteral("QRLabel%1").arg(column)})
            if (TQRComponent *c = FindComponent(name))
                c->Enabled = !sums;
    }
    if (auto *product = Find<TQRDBText>(QStringLiteral("QRDBText4")))
        product->DataField = view == 4 ? QStringLiteral("ODBERATEL") : QStringLiteral("C_VYR");
    QRGroup1->Enabled = !sums;
    QRBandOdberatel->Enabled = !sums;
    QRGroup1->setExpression(view == 2 ? QStringLiteral("C_OBJ") : QStringLiteral("ODBERATEL"));
    if (auto *caption = Find<TQRDBText>(QStringLiteral("QRDBTextOdberatel")))
        caption->DataField = view == 2 ? QStringLiteral("C_OBJ") : QStringLiteral("ODBERATEL");
}

TSOdvQR1Rep::~TSOdvQR1Rep()
{
    if (SOdvQR1Rep == this)
        SOdvQR1Rep = nullptr;
}
