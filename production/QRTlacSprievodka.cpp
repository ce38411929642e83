#include "QRTlacSprievodka.h"

#include "SprievodkaSql.h"
#include "library/QRAsBarcode.h"
#include "library/QTlacForm.h"
#include "library/ReportBuilder.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/os/Format.h"
#include "platform/db/DataSet.h"

TQRTlacSprievodka *QRTlacSprievodka = nullptr;

namespace {

double mm(double v)
{
    return MmToUnits(v);
}

} // namespace

TQRTlacSprievodka::TQRTlacSprievodka()
{
    SetUpReport(this, QStringLiteral("QRTlacSprievodka"), QString::fromUtf8("Sprievodný list odliatku"), QPageSize::A4,
                QPageLayout::Portrait, 8);
    PrintIfEmpty = true;

    TQRBand *t = AddBand(rbTitle, QStringLiteral("TitleBand"));
    t->Height = mm(52);
    AddLabel(t, QString::fromUtf8("Interná objednávka:"), 0, 0, 0, 10, true);
    AddField(t, QStringLiteral("C_INT"), mm(38), 0, mm(25), QStringLiteral("##/0000"), true)->Font().setPointSize(10);
    AddExpr(t, QStringLiteral("IF(C_REV>0,'rev.'+str(C_REV),'')"), mm(38), mm(5), mm(20));
    AddLabel(t, QString::fromUtf8("Dávka:"), mm(70), 0, 0, 10, true);
    AddField(t, QStringLiteral("C_DAVKY"), mm(84), 0, mm(12), {}, true)->Font().setPointSize(10);
    AddLabel(t, QString::fromUtf8("Termín dodania:"), mm(100), 0);
    AddField(t, QStringLiteral("TERMIN"), mm(125), 0, mm(22));
    AddLabel(t, QString::fromUtf8("Množstvo:"), mm(150), 0);
    AddField(t, QStringLiteral("MNOZ_VYR"), mm(166), 0, mm(20));
    AddLabel(t, QString::fromUtf8("SPRIEVODNÝ LÍSTOK VÝROBKU"), mm(60), mm(11), 0, 13, true);
    const QList<QList<QPair<const char *, const char *>>> rows{
        {{"č.Objednávky:", "C_OBJ"}, {"zo Dňa:", "D_OBJ"}},
        {{"Výrobok:", "C_VYR"}, {"Názov výrobku:", "NAZOV"}, {"Materiál:", "MATERIAL"}},
        {{"Typ:", "ROZMER"}, {"č.Výkresu:", "C_VYKRESU"}, {"TDP:", "TECH_PODM"}},
        {{"Odberateľ:", "ODBERATEL"}, {nullptr, nullptr}, {"Poznámka:", "POZNAMKA"}}};
    double top = mm(20);
    for (const auto &row : rows) {
        double left = 0;
        for (qsizetype i = 0; i < row.size(); ++i) {
            // A cell followed by an empty one (the customer's name) has the room of both.
            if (row[i].first) {
                const bool wide = i + 1 < row.size() && !row[i + 1].first;
                AddLabel(t, QString::fromUtf8(row[i].first), left, top);
                AddField(t, QString::fromLatin1(row[i].second), left + mm(22), top, wide ? mm(104) : mm(40));
            }
            left += mm(64);
        }
        top += mm(7);
    }

    TQRBand *c = AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand"));
    c->Height = mm(8);
    const QStringList captions{QString::fromUtf8("Operácia"),
                               QStringLiteral("Prac."),
                               QStringLiteral("Prof."),
                               QString::fromUtf8("Čas Min./ks"),
                               QString::fromUtf8("Popis operácie"),
                               QStringLiteral("Norma"),
                               QString::fromUtf8("Množ.zost."),
                               QString::fromUtf8("Os.číslo"),
                               QStringLiteral("Množstvo"),
                               QString::fromUtf8("Zmätky"),
                               QString::fromUtf8("Dátum"),
                               QStringLiteral("Zm.")};
    // Column edges in mm; the last is where the hand-entry boxes end, within the printable 190 mm. Each bold
    // caption fits its column with a blank to spare, at every zoom of the preview too.
    const double lefts[] = {0, 22, 32, 42, 61, 95, 106, 123, 137, 153, 165, 181, 189};
    for (int i = 0; i < captions.size(); ++i)
        AddLabel(c, captions[i], mm(lefts[i]), mm(1), mm(lefts[i + 1] - lefts[i]), 0, true);

    TQRBand *d = AddBand(rbDetail, QStringLiteral("DetailBand"));
    // The operation's line, its barcode with the digits under the bars, and a little room before the next.
    // Figures end two millimetres before the next column.
    d->Height = mm(24);
    const auto figure = [&](const char *field, int column, const QString &mask) {
        AddField(d, QString::fromLatin1(field), mm(lefts[column]), mm(1), mm(lefts[column + 1] - lefts[column] - 2),
                 mask)
            ->Alignment = Qt::AlignRight;
    };
    AddField(d, QStringLiteral("C_OPERACIE"), 0, mm(1), mm(8));
    AddField(d, QStringLiteral("OPERACIA"), mm(9), mm(1), mm(12));
    AddField(d, QStringLiteral("PRACOVISKO"), mm(lefts[1]), mm(1), mm(10));
    AddField(d, QStringLiteral("PROFESIA"), mm(lefts[2]), mm(1), mm(10));
    figure("CAS_JED", 3, QStringLiteral("## ##0.000"));
    AddField(d, QStringLiteral("POPIS_OP"), mm(lefts[4]), mm(1), mm(lefts[5] - lefts[4] - 1));
    figure("NORMA", 5, QStringLiteral("## ##0"));
    figure("MNOZ_ZOST", 6, {});
    for (int i = 7; i < 12; ++i)
        AddBox(d, mm(lefts[i]), mm(1), mm(lefts[i + 1] - lefts[i] - 1), mm(6));
    QRBarcode = d->Add<TQRAsBarcode>(QStringLiteral("QRBarcode"));
    QRBarcode->Left = mm(9);
    QRBarcode->Top = mm(8);
    QRBarcode->Width = mm(60);
    QRBarcode->Height = mm(7);
    QRBarcode->setBarcodeHeight(40);
    QRBarcode->setRatio(2.0);
    d->BeforePrint = [this](TQRBand *, bool &) {
        TDataSet *ds = DataSet();
        if (!ds || ds->IsEmpty())
            return;
        QRBarcode->setText(JobTicketBarcodeText(ds->FieldByName(QStringLiteral("C_INT"))->AsInteger(),
                                                ds->FieldByName(QStringLiteral("C_DAVKY"))->AsInteger(),
                                                ds->FieldByName(QStringLiteral("C_OPERACIE"))->AsInteger()));
    };

    TQRBand *s = AddBand(rbSummary, QStringLiteral("SummaryBand"));
    s->Height = mm(14);
    AddLabel(s, QStringLiteral("Mzdy celkom"), 0, mm(1), 0, 0, true);
    AddExpr(s, QStringLiteral("SUM(MZDA)"), mm(30), mm(1), mm(25), {}, false, QStringLiteral("QRSumMzda"))->Alignment =
        Qt::AlignRight;
    AddExpr(s, QStringLiteral("SUM(MZDA*MNOZ_VYR)"), mm(60), mm(1), mm(30), {}, false, QStringLiteral("QRSumMzdaC"))
        ->Alignment = Qt::AlignRight;
    AddLabel(s, QStringLiteral("NHod.celkom"), 0, mm(7), 0, 0, true);
    AddExpr(s, QStringLiteral("SUM(CAS_JED)"), mm(30), mm(7), mm(25), QStringLiteral("## ##0.0 NMin"))->Alignment =
        Qt::AlignRight;
    AddExpr(s, QStringLiteral("SUM(CAS_JED*MNOZ_VYR)/60"), mm(60), mm(7), mm(30), QStringLiteral("####.0 NHod"))
        ->Alignment = Qt::AlignRight;

    // The batch printed is stored; the counter never goes down.
    AfterPrint = [this](TQuickRep *) {
        TDataSet *ds = DataSet();
        if (!ds || !ds->Active() || ds->IsEmpty())
            return;
        const int batch = ds->FieldByName(QStringLiteral("C_DAVKY"))->AsInteger();
        const int job = ds->FieldByName(QStringLiteral("C_INT"))->AsInteger();
        ExecSqlParams(SprievodkaSql::StoreBatch, {batch, job, batch});
    };
}

void TQRTlacSprievodka::SetMoneyMasks(const QString &mask)
{
    for (const char *name : {"QRSumMzda", "QRSumMzdaC"})
        if (auto *e = Find<TQRExpr>(QString::fromLatin1(name)))
            e->Mask = mask;
}

QString JobTicketBarcodeText(int cInt, int batch, int operation)
{
    return Format(QStringLiteral("%6.6d%3.3d%3.3d"), {cInt, batch, operation});
}

int JobTicketBatch(const QString &answer, int proposal)
{
    qint64 typed = 0;
    if (!TryStrToInt(answer.trimmed(), typed) || typed < 0)
        return proposal;
    return int(std::min<qint64>(typed, proposal));
}

void PrintJobTicket(int cInt)
{
    if (!QRTlacSprievodka)
        CreateReport(QRTlacSprievodka);
    QRTlacSprievodka->SetMoneyMasks(MoneyFormat);
    const int proposal = SelectValueParams(SprievodkaSql::LastBatch, {cInt}).toInt() + 1;
    QString answer = QString::number(proposal);
    if (!InputQuery(QString::fromUtf8("Tlač sprievodky"), QString::fromUtf8("Číslo dávky:"), answer))
        return;
    const int batch = JobTicketBatch(answer, proposal);
    TxQuery &q = DMZal->QTlac;
    q.Close();
    q.SetDataSource(nullptr);
    q.SQL().SetText(SprievodkaSql::TicketRows.arg(batch).arg(cInt));
    q.Open();
    q.Last();
    q.First();
    QRTlacSprievodka->setDataSet(&q);
    PrintReport(QRTlacSprievodka);
}
