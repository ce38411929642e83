#include "SPlanQR1Rep.h"

#include "ProductionReport.h"
#include "platform/report/QRBand.h"
#include "platform/report/QRControls.h"
#include "shell/DMZal.h"

TSPlanQR1Rep *SPlanQR1Rep = nullptr;

TSPlanQR1Rep::TSPlanQR1Rep()
{
    SPlanQR1Rep = this;
    // The recommended quantity and the two terms print what the lists carry: what remains, the operation's
    // start and the job's term.
    const TColumnReportBands bands = BuildColumnReport(*this, QStringLiteral("SPlanQR1Rep"),
                                                       QString::fromUtf8("Kapacitný plán výroby"), true, &DMZal->QTlac,
                                                       {{"č.Zákazky", "C_INT", "", 50},
                                                        {"č.Výrobku", "C_VYR", "", 80},
                                                        {"Názov", "NAZOV", "", 120},
                                                        {"Norma/ zmenu", "NORMA", "###0", 40},
                                                        {"Množstvo odporuč.", "Zostáva", "", 50},
                                                        {"Množstvo vyrobené", "Vyrobené", "", 50},
                                                        {"Množstvo plánované", "Plánované", "", 50, true},
                                                        {"Normo hodiny", "NormoHodiny", "###0.0", 50, true},
                                                        {"Zmien", "NormoHodiny/7.5", "##0.0", 40},
                                                        {"Termín operácie", "Začiatok", "", 60},
                                                        {"Množstvo odvedené", "Odvedené", "", 50},
                                                        {"Termín zákazky", "Termín", "", 60},
                                                        {"Op.", "OPERACIA", "", 30}});
    const auto label = [&bands](const char *name, double left) {
        auto *l = bands.Header->Add<TQRLabel>(QString::fromLatin1(name));
        l->Left = left;
        l->Top = 22;
        l->Width = 150;
        return l;
    };
    QRlObdobie = label("QRlObdobie", 0);
    QRlDni = label("QRlDni", 160);
    QRlHodiny = label("QRlHodiny", 320);
}

TSPlanQR1Rep::~TSPlanQR1Rep()
{
    if (SPlanQR1Rep == this)
        SPlanQR1Rep = nullptr;
}
