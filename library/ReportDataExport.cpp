#include "library/ReportDataExport.h"

#include "library/xQRHTMLExportFilter.h"
#include "platform/os/Exception.h"
#include "platform/os/Format.h"

#include <QFile>
#include "platform/ui/Dialogs.h"
#include <QFileInfo>

namespace {

QString fieldText(const ReportCursor &data, int i)
{
    switch (data.fieldKind(i)) {
    case ReportCursor::fkFloat: {
        const QVariant v = data.value(i);
        return v.isNull() ? QString() : FormatFloat(QStringLiteral("#########0.####"), v.toDouble());
    }
    case ReportCursor::fkString:
    case ReportCursor::fkMemo: {
        QString text = data.value(i).toString();
        text.replace(QLatin1String("\""), QLatin1String("\"\""));
        // A line break of any kind would split the record: each becomes one blank.
        text.replace(QLatin1String("\r\n"), QLatin1String(" "));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    case ReportCursor::fkBlob:
    case ReportCursor::fkGraphic:
        return {};
    default:
        return data.displayText(i);
    }
}

} // namespace

QString ExportReportData(ReportCursor &data, const QString &fileName, const QString &extension, QChar separator)
{
    QString name = fileName;
    if (QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + extension;
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Exception(QStringLiteral("Súbor %1 sa nedá vytvoriť: %2").arg(name, file.errorString()));
    auto write = [&](const QStringList &fields) {
        const QByteArray line = (fields.join(separator) + QLatin1String("\r\n")).toUtf8();
        if (file.write(line) != line.size())
            throw Exception(QStringLiteral("Chyba pri zápise do súboru %1: %2").arg(name, file.errorString()));
    };
    const int n = data.fieldCount();
    QStringList header;
    for (int i = 0; i < n; ++i)
        header << data.displayLabel(i);
    write(header);
    data.disableControls();
    struct Enable {
        ReportCursor &d;
        ~Enable() { d.enableControls(); }
    } enable{data};
    for (data.first(); !data.eof(); data.next()) {
        QStringList fields;
        for (int i = 0; i < n; ++i)
            fields << fieldText(data, i);
        write(fields);
    }
    if (!file.flush())
        throw Exception(QStringLiteral("Chyba pri zápise do súboru %1: %2").arg(name, file.errorString()));
    return name;
}

bool ChooseExportFile(ReportCursor *data)
{
    if (!data)
        return false;
    const QString csv = QStringLiteral("Text oddelený \";\" (*.csv *.CSV)");
    const QString tab = QStringLiteral("Text oddelený TAB (*.txt *.TXT)");
    QString selected = csv;
    const QString name = ChooseFileName(QStringLiteral("Uložiť data zostavy do :"), QStringLiteral("export.csv"),
                                        csv + QLatin1String(";;") + tab, &selected);
    if (name.isEmpty())
        return false;
    if (selected == tab)
        ExportReportData(*data, name, QStringLiteral("txt"), QLatin1Char('\t'));
    else
        ExportReportData(*data, name, QStringLiteral("csv"), QLatin1Char(';'));
    return true;
}

void RegisterLibraryExportFilters()
{
    RegisterStandardExportFilters();
    const TxQRHTMLExportFilter probe{QString()};
    RegisterExportFilter({probe.FilterName(), probe.Description(), probe.Extension(),
                          [](const QString &fileName) { return std::make_unique<TxQRHTMLExportFilter>(fileName); }});
}
