#include "SqlConsoleText.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

#include <QRegularExpression>

QString SortedStatement(const QString &sql, int column)
{
    static const QRegularExpression orderBy(QStringLiteral("\\sORDER\\s+BY\\s"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString own = QStringLiteral("ORDER BY %1 ASC").arg(column);
    QString direction = QStringLiteral("ASC");
    QString text = sql;
    qsizetype p = -1;
    for (auto it = orderBy.globalMatch(sql); it.hasNext();)
        p = it.next().capturedStart();
    if (p >= 0) {
        const QString rest = sql.mid(p).simplified().toUpper();
        if (rest == own)
            direction = QStringLiteral("DESC");
        text = sql.left(p);
    }
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text + QStringLiteral("\n ORDER BY %1 %2").arg(QString::number(column), direction);
}

namespace {
int widthOf(const TField *f)
{
    const TFieldType t = f->DataType();
    return t == ftDate || t == ftDateTime ? 10 : std::max(1, f->DisplayWidth());
}
QString cell(const QString &text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '), true) + QLatin1Char(' ');
}
} // namespace

QStringList ResultTextLines(TDataSet &data, const QString &caption)
{
    QStringList lines{caption, QString()};
    QString heading;
    for (int i = 0; i < data.FieldCount(); ++i)
        heading += cell(data.Fields(i)->DisplayName(), widthOf(data.Fields(i)));
    lines << heading << QString(heading.size(), QLatin1Char('-'));
    data.DisableControls();
    for (data.First(); !data.Eof(); data.Next()) {
        QString line;
        for (int i = 0; i < data.FieldCount(); ++i)
            line += cell(data.Fields(i)->DisplayText(), widthOf(data.Fields(i)));
        lines << line;
    }
    data.EnableControls();
    return lines;
}
