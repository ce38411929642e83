#include "WageExport.h"

#include "platform/db/DataSet.h"
#include "platform/os/Exception.h"
#include "platform/os/TextFile.h"
#include "platform/os/Win1250.h"
#include "platform/ui/Dialogs.h"

#include <QDir>

namespace {

// Two decimals with a point; an amount that rounds to zero is "0.00", never "-0.00".
QString amountText(double value)
{
    QString text = QString::number(value, 'f', 2);
    if (text == QLatin1String("-0.00"))
        text = QStringLiteral("0.00");
    return text;
}

} // namespace

QString WageExportFileName(int year, int month)
{
    return QStringLiteral("mzdy%1%2.txt").arg(year, 4, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
}

QByteArray WageExportBytes(TDataSet *wages)
{
    static const std::pair<int, const char *> components[] = {
        {302, "MZDA_VYK"}, {303, "MZDA_REZ"}, {307, "PRIPL_PRO"}, {318, "PRIPL_NOC"}};
    QString text;
    wages->DisableControls();
    try {
        for (wages->First(); !wages->Eof(); wages->Next()) {
            const int osc = wages->FieldByName(QStringLiteral("OSC"))->AsInteger();
            for (const auto &[code, column] : components)
                text += QStringLiteral("%1;%2;%3\r\n")
                            .arg(QString::number(osc), QString::number(code),
                                 amountText(wages->FieldByName(QString::fromLatin1(column))->AsFloat()));
        }
    } catch (...) {
        wages->EnableControls();
        throw;
    }
    wages->EnableControls();
    return Win1250::fromUnicode(text);
}

QString WriteWageExport(TDataSet *wages, int year, int month)
{
    const QString name = WageExportFileName(year, month);
    QString error;
    if (!WriteFileAtomically(QDir::current().filePath(name), WageExportBytes(wages), &error))
        throw Exception(error);
    ShowMessage(QString::fromUtf8("Mzdové údaje boli uložené do súboru %1").arg(name));
    return name;
}
