#include "library/DocumentReport.h"

#include "library/OdfTemplate.h"
#include "library/XlsxTemplate.h"
#include "library/ZipArchive.h"
#include "library/xXMLReader.h"
#include "platform/db/DataSet.h"
#include "platform/fb/IBCustomDataSet.h"
#include "platform/os/Folders.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

void TDocumentReport::LoadTemplate(TXMLElement *report)
{
    TXMLElement *element = report->HasElements() ? report->Elements().Find(QStringLiteral("template")) : nullptr;
    if (!element)
        throw EReportError(QStringLiteral("<template> element not found!"));
    const QString fileName = element->AttributeValue(QStringLiteral("filename"));
    if (fileName.isEmpty())
        throw EReportError(QStringLiteral("Element <template> nemá atribút filename!"));
    path_ = QFileInfo(fileName).absoluteFilePath();
    const QString suffix = QLatin1Char('.') + QFileInfo(fileName).suffix();
    if (suffix == QLatin1String(".ods"))
        kind_ = Spreadsheet;
    else if (suffix == QLatin1String(".doc"))
        kind_ = WordDocument;
    else if (suffix == QLatin1String(".xls") || suffix == QLatin1String(".xlt") || suffix == QLatin1String(".xlsx") ||
             suffix == QLatin1String(".xltx"))
        kind_ = Workbook;
    else
        kind_ = TextDocument;
}

void TDocumentReport::Run()
{
    files_.clear();
    if (!QFileInfo::exists(path_))
        throw EReportError(QStringLiteral("Šablóna %1 neexistuje!").arg(path_));
    if (kind_ == WordDocument)
        throw EReportError(QStringLiteral("Šablónu %1 nie je možné vyplniť: dokument .doc uložte ako .odt.")
                               .arg(QFileInfo(path_).fileName()));
    TDataSet *data = data_;
    if (data && !data->Active()) {
        // The main menu hands its print query, which has no statement of its own: the template then opens
        // as it is, for the user to fill.
        const auto *query = dynamic_cast<const TIBQuery *>(data);
        if (query && query->SQL().Text().trimmed().isEmpty())
            data = nullptr;
        else
            data->Open();
    }
    if (kind_ == Workbook)
        runWorkbook(data);
    else
        runOpenDocument(data);
}

void TDocumentReport::runOpenDocument(TDataSet *data)
{
    TZipArchive document;
    QString error;
    if (!document.Load(path_, &error))
        throw EReportError(QStringLiteral("Šablónu %1 nie je možné prečítať: %2").arg(path_, error));
    if (data) {
        const TBookmark place = data->GetBookmark();
        {
            TDisableControls still(data);
            const bool filled = kind_ == Spreadsheet ? FillOdsNamedRanges(document, data, &error)
                                                     : FillOdtUserFields(document, data, &error);
            data->GotoBookmark(place);
            if (!filled)
                throw EReportError(error);
        }
    }
    writeAndOpen(document.Bytes(), QFileInfo(path_).suffix());
}

void TDocumentReport::runWorkbook(TDataSet *data)
{
    TXlsxTemplate book;
    QString error;
    if (!book.Load(path_, &error))
        throw EReportError(error);
    if (!data) {
        writeAndOpen(book.Bytes(), QStringLiteral("xlsx"));
        return;
    }
    const TBookmark place = data->GetBookmark();
    TDisableControls still(data);
    // One workbook after another: a record beyond every area of a name of more than one cell starts the
    // next copy of the template, with that record as its first.
    bool more = !data->Eof();
    do {
        book.Reset();
        bool overflow = false;
        qint64 taken = 0;
        for (qint64 k = 1; !data->Eof() && !overflow; ++k) {
            for (const TXlsxTemplate::Name &name : book.Names()) {
                if (!data->FindField(name.Text))
                    continue;
                int row = 0, column = 0;
                if (const TXlsxTemplate::Area *area = name.Place(k, row, column)) {
                    book.SetCell(area->Sheet, row, column, FieldCellValue(data, name.Text));
                } else if (name.Overflows()) {
                    overflow = true;
                    break;
                }
            }
            if (!overflow) {
                data->Next();
                ++taken;
            }
        }
        writeAndOpen(book.Bytes(), QStringLiteral("xlsx"));
        // Every name has a place for the first record, so each copy takes one at least and the run ends.
        more = overflow && taken > 0;
    } while (more);
    data->GotoBookmark(place);
}

void TDocumentReport::writeAndOpen(const QByteArray &bytes, const QString &suffix)
{
    QTemporaryFile file(
        QDir::temp().filePath(QFileInfo(path_).completeBaseName() + QStringLiteral("-XXXXXX.") + suffix));
    file.setAutoRemove(false);
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        throw EReportError(
            QStringLiteral("Dokument nie je možné zapísať do dočasného priečinka: %1").arg(file.errorString()));
    file.close();
    files_ << file.fileName();
    OpenInDesktop(file.fileName());
}
