#include "SqlConsoleExport.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/os/Exception.h"
#include "platform/os/Format.h"
#include "platform/os/Win1250.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <xlsxwriter.h>

namespace {

bool isFloat(TFieldType t)
{
    return t == ftFloat || t == ftCurrency || t == ftBCD;
}
bool isDate(TFieldType t)
{
    return t == ftDate || t == ftDateTime;
}
bool isBlob(TFieldType t)
{
    return t == ftBlob || t == ftGraphic;
}
bool isText(TFieldType t)
{
    return t == ftString || t == ftFixedChar || t == ftMemo;
}

// The field's data size: a string's declared size + 1.
int dataSize(const TField *f)
{
    if (isText(f->DataType()))
        return f->Size() + 1;
    return f->Size() > 0 ? f->Size() : f->DisplayWidth();
}

// A number in the C locale, right-aligned to the width ("%11d", "%16.5f").
QByteArray printed(const char *format, int width, double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, format, width, value);
    return QByteArray(buf);
}
QByteArray printedInt(int width, qint64 value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%*lld", width, static_cast<long long>(value));
    return QByteArray(buf);
}

// "yyyymmdd", or 8 blanks for no date.
QByteArray dateBytes(const TField *f)
{
    if (f->IsNull())
        return QByteArray(8, ' ');
    return f->AsDateTime().date().toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

// Exactly n bytes: the text cut or padded with blanks.
QByteArray padToWidth(const QByteArray &text, int n)
{
    QByteArray out = text.left(n);
    if (out.size() < n)
        out.append(QByteArray(n - out.size(), ' '));
    return out;
}

QString fileError(const QString &fileName, const QString &reason)
{
    return QString::fromUtf8("Súbor %1 nie je možné zapísať: %2").arg(QDir::toNativeSeparators(fileName), reason);
}

// Writes the records through the writer into a temporary file beside the target, renamed over it at the end.
template <class Writer> void writeFile(TDataSet &data, const QString &fileName, Writer writer)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw Exception(fileError(fileName, file.errorString()));
    data.DisableControls();
    struct Enable {
        TDataSet &d;
        ~Enable() { d.EnableControls(); }
    } enable{data};
    writer(file);
    if (!file.commit())
        throw Exception(fileError(fileName, file.errorString()));
}

void put(QSaveFile &file, const QByteArray &bytes)
{
    if (file.write(bytes) != bytes.size())
        throw Exception(fileError(file.fileName(), file.errorString()));
}

} // namespace

TDBaseField DBaseFieldOf(const TField *f)
{
    switch (f->DataType()) {
    case ftSmallint:
        return {'N', 6, 0};
    case ftInteger:
    case ftWord:
        return {'N', 11, 0};
    case ftLargeint:
        return {'N', 20, 0};
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        return {'N', 16, 5};
    case ftDate:
    case ftDateTime:
        return {'D', 8, 0};
    case ftString:
    case ftFixedChar:
    case ftMemo:
        return {'C', std::min(dataSize(f), 254), 0};
    default:
        return {'N', std::clamp(dataSize(f), 1, 254), 0};
    }
}

void ExportDelimited(TDataSet &data, const QString &fileName, QChar separator)
{
    writeFile(data, fileName, [&](QSaveFile &file) {
        QStringList heading;
        for (int i = 0; i < data.FieldCount(); ++i)
            heading << data.Fields(i)->DisplayName();
        put(file, (heading.join(separator) + QStringLiteral("\r\n")).toUtf8());
        for (data.First(); !data.Eof(); data.Next()) {
            QStringList line;
            for (int i = 0; i < data.FieldCount(); ++i) {
                const TField *f = data.Fields(i);
                const TFieldType t = f->DataType();
                if (isText(t)) {
                    QString text = f->AsString();
                    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
                    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
                    line << QLatin1Char('"') + text + QLatin1Char('"');
                } else if (isFloat(t)) {
                    line << (f->IsNull() ? QString() : FormatFloat(QStringLiteral("#########0.####"), f->AsFloat()));
                } else if (isBlob(t)) {
                    line << QString();
                } else {
                    line << f->AsString();
                }
            }
            put(file, (line.join(separator) + QStringLiteral("\r\n")).toUtf8());
        }
    });
}

void ExportDBase(TDataSet &data, const QString &fileName)
{
    writeFile(data, fileName, [&](QSaveFile &file) {
        const int n = data.FieldCount();
        std::vector<TDBaseField> fields;
        int recordLength = 1;
        for (int i = 0; i < n; ++i) {
            fields.push_back(DBaseFieldOf(data.Fields(i)));
            recordLength += fields.back().Length;
        }
        data.FetchAll();
        const quint32 records = quint32(data.RecordCount());
        QByteArray header(32, '\0');
        header[0] = 3;
        header[1] = 4;
        header[2] = 1;
        header[3] = 1;
        for (int b = 0; b < 4; ++b)
            header[4 + b] = char((records >> (8 * b)) & 0xff);
        const int headerLength = n * 32 + 33;
        header[8] = char(headerLength & 0xff);
        header[9] = char((headerLength >> 8) & 0xff);
        header[10] = char(recordLength & 0xff);
        header[11] = char((recordLength >> 8) & 0xff);
        put(file, header);
        quint32 offset = 1;
        for (int i = 0; i < n; ++i) {
            QByteArray d(32, '\0');
            const QByteArray name = Win1250::fromUnicode(data.Fields(i)->FieldName().toUpper()).left(10);
            d.replace(0, name.size(), name);
            d[11] = fields[i].Type;
            for (int b = 0; b < 4; ++b)
                d[12 + b] = char((offset >> (8 * b)) & 0xff);
            d[16] = char(fields[i].Length);
            d[17] = char(fields[i].Decimals);
            put(file, d);
            offset += quint32(fields[i].Length);
        }
        put(file, QByteArray(1, '\x0d'));
        for (data.First(); !data.Eof(); data.Next()) {
            QByteArray record(1, ' ');
            for (int i = 0; i < n; ++i) {
                const TField *f = data.Fields(i);
                const int len = fields[i].Length;
                const TFieldType t = f->DataType();
                if (t == ftSmallint || t == ftInteger || t == ftWord || t == ftLargeint)
                    record += padToWidth(printedInt(len, f->AsLargeInt()), len);
                else if (isFloat(t))
                    record += padToWidth(printed("%*.5f", len, f->AsFloat()), len);
                else if (isDate(t))
                    record += dateBytes(f);
                else
                    record += padToWidth(Win1250::fromUnicode(f->AsString()), len);
            }
            put(file, record);
        }
    });
}

void ExportFixedWidth(TDataSet &data, const QString &fileName)
{
    writeFile(data, fileName, [&](QSaveFile &file) {
        for (data.First(); !data.Eof(); data.Next()) {
            QByteArray line;
            for (int i = 0; i < data.FieldCount(); ++i) {
                const TField *f = data.Fields(i);
                switch (f->DataType()) {
                case ftSmallint:
                    line += printedInt(6, f->AsLargeInt());
                    break;
                case ftInteger:
                case ftWord:
                    line += printedInt(11, f->AsLargeInt());
                    break;
                case ftLargeint:
                    line += printedInt(20, f->AsLargeInt());
                    break;
                case ftFloat:
                case ftCurrency:
                case ftBCD:
                    line += printed("%*.5f", 15, f->AsFloat());
                    break;
                case ftDate:
                case ftDateTime:
                    line += dateBytes(f);
                    break;
                case ftBlob:
                case ftGraphic:
                    break;
                default: {
                    // Right-aligned to the data size, never cut.
                    const QString text = f->AsString();
                    const int width = dataSize(f);
                    line +=
                        (text.size() < width ? QString(width - text.size(), QLatin1Char(' ')) + text : text).toUtf8();
                }
                }
            }
            put(file, line + "\r\n");
        }
    });
}

void ExportSpreadsheet(TDataSet &data, const QString &fileName)
{
    // The workbook is written beside the target and renamed over it only when it is complete.
    const QFileInfo target(fileName);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.export-XXXXXX.xlsx"));
    if (!temp.open())
        throw Exception(fileError(fileName, temp.errorString()));
    const QString tempName = temp.fileName();
    temp.close();
    const QByteArray path = QFile::encodeName(tempName);
    lxw_workbook *book = workbook_new(path.constData());
    if (!book)
        throw Exception(fileError(fileName, QString::fromUtf8("zošit nie je možné vytvoriť")));
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Export");
    lxw_format *bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format *number = workbook_add_format(book);
    format_set_num_format(number, "#,##0.0###");
    lxw_format *date = workbook_add_format(book);
    format_set_num_format(date, "d.m.yy");
    const int n = data.FieldCount();
    std::vector<int> widths(size_t(n), 8);
    auto widen = [&](int col, int width) {
        widths[size_t(col)] = std::max(widths[size_t(col)], std::min(width + 2, 80));
    };
    for (int i = 0; i < n; ++i) {
        const QByteArray name = data.Fields(i)->DisplayName().toUtf8();
        worksheet_write_string(sheet, 0, lxw_col_t(i), name.constData(), bold);
        widen(i, int(data.Fields(i)->DisplayName().size()));
    }
    data.DisableControls();
    struct Guard {
        TDataSet &d;
        lxw_workbook *&book;
        ~Guard()
        {
            d.EnableControls();
            if (book)
                workbook_close(book); // a failed export: the temporary file goes with `temp`
        }
    } guard{data, book};
    lxw_row_t row = 1;
    for (data.First(); !data.Eof(); data.Next(), ++row) {
        for (int i = 0; i < n; ++i) {
            const TField *f = data.Fields(i);
            const TFieldType t = f->DataType();
            if (f->IsNull() || isBlob(t))
                continue;
            if (isFloat(t)) {
                worksheet_write_number(sheet, row, lxw_col_t(i), f->AsFloat(), number);
                widen(i, 12);
            } else if (isDate(t)) {
                const QDateTime dt = f->AsDateTime();
                lxw_datetime value{dt.date().year(), dt.date().month(),  dt.date().day(),
                                   dt.time().hour(), dt.time().minute(), double(dt.time().second())};
                worksheet_write_datetime(sheet, row, lxw_col_t(i), &value, date);
                widen(i, 8);
            } else {
                const QString text = f->AsString();
                worksheet_write_string(sheet, row, lxw_col_t(i), text.toUtf8().constData(), nullptr);
                widen(i, int(text.size()));
            }
        }
    }
    for (int i = 0; i < n; ++i)
        worksheet_set_column(sheet, lxw_col_t(i), lxw_col_t(i), widths[size_t(i)], nullptr);
    const lxw_error error = workbook_close(book);
    book = nullptr;
    if (error != LXW_NO_ERROR) {
        QFile::remove(tempName);
        throw Exception(fileError(fileName, QString::fromUtf8(lxw_strerror(error))));
    }
    if (std::rename(path.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        QFile::remove(tempName);
        throw Exception(fileError(fileName, QString::fromLocal8Bit(std::strerror(errno))));
    }
    temp.setAutoRemove(false);
}

void ExportConsoleResult(TDataSet &data, const QString &fileName, TConsoleExport kind)
{
    switch (kind) {
    case TConsoleExport::Delimited:
        ExportDelimited(data, fileName);
        break;
    case TConsoleExport::DBase:
        ExportDBase(data, fileName);
        break;
    case TConsoleExport::FixedWidth:
        ExportFixedWidth(data, fileName);
        break;
    case TConsoleExport::Spreadsheet:
        ExportSpreadsheet(data, fileName);
        break;
    }
}
