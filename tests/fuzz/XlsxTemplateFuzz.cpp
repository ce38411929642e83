// Workbook templates: any workbook, sheet and relations parts are read or refused with a reason; the cells
// of every defined name are filled and the copy written.
#include "FuzzSupport.h"

#include "library/XlsxTemplate.h"
#include "library/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::Start();
    // The parts a workbook template is read from, each mutated on its own.
    const QList<QByteArray> parts = fuzz::Parts(fuzz::Bytes(data, size), 3);
    TZipArchive zip;
    zip.Set(QStringLiteral("xl/workbook.xml"), parts[0]);
    zip.Set(QStringLiteral("xl/_rels/workbook.xml.rels"), parts[1]);
    zip.Set(QStringLiteral("xl/worksheets/sheet1.xml"), parts[2]);
    const QString file = fuzz::FileWith(zip.Bytes(), QStringLiteral(".xlsx"));
    TXlsxTemplate workbook;
    QString error;
    if (!workbook.Load(file, &error)) {
        fuzz::Require(!error.isEmpty());
        return 0;
    }
    for (const TXlsxTemplate::Name &name : workbook.Names())
        for (qint64 k = 1; k <= 3; ++k) {
            int row = 0, column = 0;
            if (const TXlsxTemplate::Area *area = name.Place(k, row, column)) {
                fuzz::Require(row >= 0 && row < MaxSheetRows && column >= 0 && column < MaxSheetColumns);
                workbook.SetCell(area->Sheet, row, column, TCellValue{QStringLiteral("Šesť"), k == 2, 6.5});
            }
        }
    TZipArchive copy;
    fuzz::Require(copy.Load(workbook.Bytes(), &error));
    return 0;
}
