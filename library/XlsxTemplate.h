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
    // A rectangle of cells on a sheet (0-based); a whole column has every row of the sheet.
    struct Area : TCellArea {
        QString Sheet;
    };
    struct Name {
        QString Text;
        std::vector<Area> Areas;
        // The cell of the k-th record (from 1), counted through the areas in order and row by row in each:
        // its area, or null when the record lies beyond them all.
        const Area *Place(qint64 k, int &row, int &column) const;
        // More than one cell: records beyond it go to the next copy of the template.
        bool Overflows() const { return Areas.size() > 1 || (!Areas.empty() && Areas.front().Cells() > 1); }
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
