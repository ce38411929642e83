#include "QRTlacIntObj.h"

#include "library/ReportBuilder.h"
#include "library/QRAsBarcode.h"
#include "platform/os/Format.h"
#include "platform/db/DataSet.h"

#include <cmath>

TQRTlacIntObj *QRTlacIntObj = nullptr;

namespace {

const char *const MoneyFields[] = {"CENA_MAT", "MAT1", "MZD1", "CENA1KG", "MIM1", "CENA1", "PRID_MAT1"};

TQRMemo *memo(TQRBand *band, const QString &name, double left, double top, double width)
{
    auto *m = band->Add<TQRMemo>(name);
    m->Left = left;
    m->Top = top;
    m->Width = width;
    m->Height = 14 * 14;
    m->AutoStretch = true;
    m->WordWrap = false;
    return m;
}

} // namespace

TQRTlacIntObj::TQRTlacIntObj()
{
    SetUpReport(this, QStringLiteral("QRTlacIntObj"), QString::fromUtf8("Interná objednávka"), QPageSize::A5,
                QPageLayout::Landscape, 8);

    TQRBand *d = AddBand(rbDetail, QStringLiteral("DetailBand"));
    d->Height = 520;
    AddLabel(d, QString::fromUtf8("I N T E R N Á   O B J E D N Á V K A"), 0, 0, 0, 12, true);
    AddField(d, QStringLiteral("C_INT"), 300, 0, 80, QStringLiteral("##/0000"), true)->Font().setPointSize(12);
    AddExpr(d, QStringLiteral("IF(C_REV>0,'rev.'+str(C_REV),'')"), 390, 0, 60, {}, true)->Font().setPointSize(12);
    AddExpr(d, QStringLiteral("IF(C_INT_RE<>0,'Reklamácia k '+str(C_INT_RE),'')"), 460, 2, 150);
    Barcode = d->Add<TQRAsBarcode>(QStringLiteral("QRAsBarcode1"));
    Barcode->Top = 0;
    // Bars and the digits under them end above the customer and order boxes.
    Barcode->setBarcodeHeight(20);
    // The bars end at the right margin, however wide the job's number makes them, clear of the complaint's
    // reference before them.
    const auto alignRight = [this] { Barcode->Left = Width() - Barcode->Width; };
    alignRight();
    d->BeforePrint = [this, alignRight](TQRBand *, bool &) {
        if (DataSet())
            Barcode->setText(DataSet()->FieldByName(QStringLiteral("C_INT"))->AsString());
        alignRight();
    };

    // Customer and order boxes.
    AddBox(d, 0, 34, Width() / 2 - 4, 120);
    AddLabel(d, QString::fromUtf8("Odberateľ :"), 4, 38, 0, 0, true);
    AddField(d, QStringLiteral("ODBERATEL"), 80, 38, 210);
    AddLabel(d, QStringLiteral("#"), 292, 38);
    AddField(d, QStringLiteral("C_ODB"), 302, 38, 48);
    AddLabel(d, QStringLiteral("Adresa :"), 4, 54);
    AddField(d, QStringLiteral("ULICA"), 80, 54, 200);
    AddField(d, QStringLiteral("PSC"), 80, 68, 50);
    AddField(d, QStringLiteral("MESTO"), 135, 68, 150);
    const QList<QPair<const char *, const char *>> customer{{"IČO :", "ICO"},
                                                            {"IČ DPH :", "ICDPH"},
                                                            {"Banka :", "BANKA"},
                                                            {"Č.účtu :", "BUCET"},
                                                            {"Plat.podm. :", "PLAT_PODM"}};
    double top = 82;
    for (const auto &c : customer) {
        AddLabel(d, QString::fromUtf8(c.first), 4, top);
        AddField(d, QString::fromLatin1(c.second), 80, top, 200);
        top += 14;
    }
    const double right = Width() / 2 + 4;
    AddBox(d, right - 4, 34, Width() / 2, 120);
    AddLabel(d, QStringLiteral("Objednávka"), right, 38, 0, 0, true);
    const QList<QPair<const char *, const char *>> order{
        {"č.:", "C_OBJ"},       {"zo Dňa :", "D_OBJ"}, {"Množstvo :", "MNOZ_OBJ"}, {"na Termín :", "TERMIN"},
        {"TDP :", "TECH_PODM"}, {"UV :", "UV"},        {"Poznámka :", "POZNAMKA"}};
    top = 52;
    for (const auto &o : order) {
        AddLabel(d, QString::fromUtf8(o.first), right, top);
        AddField(d, QString::fromLatin1(o.second), right + 64, top, 90, {}, QByteArray(o.second) == "TERMIN");
        top += 14;
    }
    const double product = right + 164;
    AddLabel(d, QString::fromUtf8("Výrobok č."), product, 38, 0, 0, true);
    AddField(d, QStringLiteral("C_VYR"), product + 66, 38, 100);
    const QList<QPair<const char *, const char *>> item{{"Názov :", "NAZOV"},
                                                        {"Typ :", "ROZMER"},
                                                        {"Č.výkr.:", "C_VYKRESU"},
                                                        {"Balenie :", "BALENIE"},
                                                        {"Doprava:", "DOPRAVA"}};
    top = 52;
    for (const auto &i : item) {
        AddLabel(d, QString::fromUtf8(i.first), product, top);
        AddField(d, QString::fromLatin1(i.second), product + 50, top, 120, {}, QByteArray(i.second) == "NAZOV");
        top += QByteArray(i.second) == "NAZOV" ? 28 : 14;
    }

    // Operations and wages.
    AddBox(d, 0, 160, Width() * 0.62, 240);
    AddLabel(d, QStringLiteral("Operácie a mzdy"), 4, 164, 0, 0, true);
    AddLabel(d, QStringLiteral("Množstvo vyrobiť:"), 160, 164);
    AddField(d, QStringLiteral("MNOZ_VYR"), 260, 164, 60, {}, true);
    QRMemoOp1 = memo(d, QStringLiteral("QRMemoOp1"), 4, 182, 110);
    QRMemoMzda1 = memo(d, QStringLiteral("QRMemoMzda1"), 116, 182, 60);
    QRMemoOp2 = memo(d, QStringLiteral("QRMemoOp2"), 190, 182, 110);
    QRMemoMzda2 = memo(d, QStringLiteral("QRMemoMzda2"), 302, 182, 60);
    for (TQRMemo *m : {QRMemoMzda1, QRMemoMzda2})
        m->Alignment = Qt::AlignRight;

    // Calculation.
    const double calc = Width() * 0.62 + 6;
    AddBox(d, calc - 4, 160, Width() - calc + 4, 240);
    AddLabel(d, QString::fromUtf8("Kalkulácia"), calc, 164, 0, 0, true);
    AddLabel(d, QString::fromUtf8("Materiál"), calc, 180);
    AddField(d, QStringLiteral("MATERIAL"), calc + 60, 180, 80);
    AddField(d, QStringLiteral("CENA_MAT"), calc + 140, 180, 50);
    AddLabel(d, QStringLiteral("/ kg"), calc + 192, 180);
    const QList<QPair<const char *, const char *>> figures{
        {"Váha surová", "Vaha_Mat"}, {"Váha čistá", "Vaha1"},
        {"Cena mat./ 1ks", "MAT1"},  {"Mzdy / 1ks", "MZD1"},
        {"Cena / 1kg", "CENA1KG"},   {"Ext.výr.nákl./1ks", "MIM1"},
        {"Cena / 1ks", "CENA1"},     {"Príd.za mat   /1ks", "PRID_MAT1"}};
    top = 196;
    for (const auto &f : figures) {
        const bool bold = QByteArray(f.second) == "CENA1";
        AddLabel(d, QString::fromUtf8(f.first), calc, top, 0, 0, bold);
        const bool weight = QByteArray(f.second).startsWith("Vaha");
        AddField(d, QString::fromLatin1(f.second), calc + 110, top, 80,
                 weight ? QStringLiteral("## ##0.00 kg") : QString(), bold)
            ->Alignment = Qt::AlignRight;
        top += 16;
    }
    AddLabel(d, QStringLiteral("Cena v mene"), calc, top, 0, 0, true);
    AddField(d, QStringLiteral("CENA_KURZ1"), calc + 110, top, 80, QStringLiteral("## ##0.00"), true)->Alignment =
        Qt::AlignRight;
    AddField(d, QStringLiteral("MENA"), calc + 194, top, 30, {}, true);
    AddLabel(d, QStringLiteral(". . . . . . . . . . . . ."), calc + 60, top + 40);
    AddLabel(d, QStringLiteral("Podpis"), calc + 90, top + 54);
}

void TQRTlacIntObj::SetMoneyMasks(const QString &mask)
{
    for (const char *name : MoneyFields)
        if (auto *t = Find<TQRDBText>(QStringLiteral("QRDB") + QString::fromLatin1(name)))
            t->Mask = mask;
}

void TQRTlacIntObj::SetOperations(const QList<QPair<QString, double>> &operations)
{
    const int n = int(operations.size());
    const int first = n <= 27 ? 13 : int(std::ceil(n / 2.0));
    for (TQRMemo *m : {QRMemoOp1, QRMemoMzda1, QRMemoOp2, QRMemoMzda2})
        m->Lines.clear();
    for (int i = 0; i < n; ++i) {
        const bool left = i < first;
        (left ? QRMemoOp1 : QRMemoOp2)->Lines << operations[i].first + QLatin1Char(':');
        (left ? QRMemoMzda1 : QRMemoMzda2)->Lines << Format(QStringLiteral("%10.2m"), {operations[i].second}).trimmed();
    }
}
