#include "SMzdyQR1Form.h"

#include "platform/report/DataSetCursor.h"
#include "platform/report/QRControls.h"

namespace {

struct Line {
    const char *caption;
    QString expression; // a column, or an expression in the report's terms
};

} // namespace

QString TSMzdyQR1Form::Quotient(const QString &dividend, const QString &divisor)
{
    return QStringLiteral("IF(%2<>0, %1/%2, '')").arg(dividend, divisor);
}

TSMzdyQR1Form::TSMzdyQR1Form()
{
    RegisterDataSetCursor();
    Rep.Name = QStringLiteral("SMzdyQR1Form");
    Rep.ReportTitle = QString::fromUtf8("Mzdový lístok zamestnanca");
    Rep.Page.Columns = 2;
    TQRBand *detail = Rep.AddBand(rbDetail, QStringLiteral("DetailBand"));
    detail->Frame.DrawTop = detail->Frame.DrawBottom = detail->Frame.DrawLeft = detail->Frame.DrawRight = true;
    double top = 0;
    auto add = [&](const QString &caption, const QString &expression, const char *mask, double left = 0) {
        auto *l = detail->Add<TQRLabel>();
        l->Caption = caption;
        l->Left = left + 4;
        l->Top = top;
        if (!expression.isEmpty()) {
            auto *e = detail->Add<TQRExpr>();
            e->setExpression(expression);
            e->Left = left + 120;
            e->Top = top;
            e->Width = 60;
            e->Alignment = Qt::AlignRight;
            e->Mask = QString::fromLatin1(mask);
        }
        top += 15;
    };
    add(Rep.ReportTitle, QString(), "");
    auto *month = detail->Add<TQRDBText>();
    month->DataField = QStringLiteral("MESIAC");
    month->Mask = QStringLiteral("00");
    month->Left = 180;
    auto *slash = detail->Add<TQRLabel>();
    slash->Caption = QStringLiteral("/");
    slash->Left = 200;
    auto *year = detail->Add<TQRDBText>();
    year->DataField = QStringLiteral("ROK");
    year->Left = 206;
    for (const char *field : {"OSC", "MENO", "PRIEZVISKO"}) {
        auto *t = detail->Add<TQRDBText>();
        t->DataField = QString::fromLatin1(field);
        t->Top = top;
        t->Left = field == std::string_view("OSC") ? 4 : field == std::string_view("MENO") ? 50 : 130;
    }
    top += 15;
    add(QString::fromUtf8("Dochádzka"), QString(), "");
    const Line attendance[] = {{"Odpracované hod.", "OHOD"}, {"z toho v Réžií", "RHOD"},
                               {"Dovolenka", "DOVOLENKA"},   {"Nemoc", "NEMOC"},
                               {"Platené voľno", "PLATVOL"}, {"Neplatené voľno", "NEPLATVOL"},
                               {"Nadčas +25%", "NADCAS25"},  {"Nadčas +50%", "NADCAS50"},
                               {"Prekážka ZL", "PREKAZKA1"}, {"OČR, Otcovské", "STATVOL"}};
    for (const Line &l : attendance)
        add(QString::fromUtf8(l.caption), l.expression, l.expression == QLatin1String("OHOD") ? "##0.00" : "###.##");
    add(QStringLiteral("Fond"), QString(), "");
    FundLabel = static_cast<TQRLabel *>(detail->Controls.back().get());
    add(QStringLiteral("Mzdy"), QString(), "");
    const Line wages[] = {{"Úkol. mzda spolu", "MZDA_VYK"},
                          {"Úkolová mzda/hod.", Quotient(QStringLiteral("MZDA_VYK"), QStringLiteral("OHOD"))},
                          {"Réžijná mzda", "MZDA_REZ"},
                          {"Úkol+Réžia", "MZDA_VYK+MZDA_REZ"},
                          {"Priemerná mzda/h.", "MZDA_HOD"},
                          {"Prémie", "PREMIE"},
                          {"za zťaž.prostr.", "PRIPL_PRO"},
                          {"Príplatky", QString()},
                          {"za nadčas", "PRIPL_NADCAS"},
                          {"za víkend", "PRIPL_VIKEND"},
                          {"za noc", "PRIPL_NOC"},
                          {"za predáctvo", "PRIPL_PRED"},
                          {"za dochádzku", "PRIPL_DOCH"},
                          {"za výkon", "PRIPL_VYK"}};
    for (const Line &l : wages)
        add(QString::fromUtf8(l.caption), l.expression, "####0.00");
    detail->Height = top + 4;
}
