// A workbook template (.xlsx, a zip of XML parts) whose defined names are filled cell by cell; each copy
// made from the template is written out as a new file.
#pragma once

#include "library/OdfTemplate.h"
#include "library/XmlNode.h"
#include "library/ZipArchive.h"

#include <QHash>
#include <map>
#include <vector>

class TXlsxTemplate {
public:
    // A rectangle of cells on a sheet (0-based).
    struct Area {
        QString Sheet;
        int Row = 0, Column = 0, Rows = 1, Columns = 1;
        int Cells() const { return Rows * Columns; }
    };
    struct Name {
        QString Text;
        std::vector<Area> Areas;
    };

    // Reads the template; false, with the reason, when it is no workbook.
    bool Load(const QString &fileName, QString *error);
    // Starts a fresh copy of the template (dropping what was written since).
    void Reset();
    const std::vector<Name> &Names() const { return names_; }
    // Writes the value into the cell of the copy; false when there is no such sheet.
    bool SetCell(const QString &sheet, int row, int column, const TCellValue &value);
    // The copy as the bytes of an .xlsx file.
    QByteArray Bytes();

private:
    TXmlNode *sheetData(const QString &sheet);
    QByteArray template_;
    TZipArchive zip_;
    std::vector<Name> names_;
    QHash<QString, QString> sheetParts_;     // sheet name -> zip entry
    std::map<QString, TXmlDocument> sheets_; // parsed parts of the copy
    bool formulaOverwritten_ = false;
};
