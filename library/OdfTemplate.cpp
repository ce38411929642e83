#include "library/OdfTemplate.h"

#include "library/XmlNode.h"
#include "library/ZipArchive.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

#include <QHash>
#include <algorithm>

TCellValue FieldCellValue(TDataSet *data, const QString &fieldName)
{
    TCellValue value;
    const TField *field = data->FindField(fieldName);
    if (!field)
        return value;
    value.Text = field->AsString();
    if (IsNumericType(field->DataType()) && !field->IsNull()) {
        value.Numeric = true;
        value.Number = field->AsFloat();
    }
    return value;
}

namespace {

// The column letters and the row digits of a reference, either of which may be missing ("$B$12", "$B",
// "12"); -1 for a part that is missing, false when the text is none of these or beyond the sheet.
bool splitReference(QString text, int &row, int &column)
{
    text.remove(QLatin1Char('$'));
    text = text.toUpper();
    qsizetype i = 0;
    column = -1;
    row = -1;
    for (int c = 0; i < text.size() && text[i] >= QLatin1Char('A') && text[i] <= QLatin1Char('Z'); ++i) {
        c = c * 26 + (text[i].unicode() - 'A' + 1);
        if (c > MaxSheetColumns)
            return false;
        column = c - 1;
    }
    const qsizetype digits = i;
    for (qint64 r = 0; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        r = r * 10 + (text[i].unicode() - '0');
        if (r > MaxSheetRows)
            return false;
        row = int(r) - 1;
    }
    // Row 0 is no row.
    if (i > digits && row < 0)
        return false;
    return i == text.size() && (row >= 0 || column >= 0);
}

} // namespace

bool ParseCellReference(QString text, int &row, int &column)
{
    return splitReference(std::move(text), row, column) && row >= 0 && column >= 0;
}

bool ParseCellArea(const QString &first, const QString &last, TCellArea &area)
{
    int row1 = 0, column1 = 0, row2 = 0, column2 = 0;
    if (!splitReference(first, row1, column1))
        return false;
    if (last.isEmpty()) {
        if (row1 < 0 || column1 < 0)
            return false;
        area = {row1, column1, 1, 1};
        return true;
    }
    if (!splitReference(last, row2, column2) || (row1 < 0) != (row2 < 0) || (column1 < 0) != (column2 < 0))
        return false;
    // Whole columns take every row, whole rows every column.
    if (row1 < 0) {
        row1 = 0;
        row2 = MaxSheetRows - 1;
    }
    if (column1 < 0) {
        column1 = 0;
        column2 = MaxSheetColumns - 1;
    }
    if (row2 < row1 || column2 < column1)
        return false;
    area = {row1, column1, row2 - row1 + 1, column2 - column1 + 1};
    return true;
}

namespace {

const QString ContentPart = QStringLiteral("content.xml");

bool parsePart(TZipArchive &zip, const QString &part, TXmlDocument &doc, QString *error)
{
    const TZipEntry *entry = zip.Find(part);
    if (!entry)
        return true;
    QString reason;
    if (doc.Parse(entry->Data, &reason))
        return true;
    if (error)
        *error = QStringLiteral("Časť %1 šablóny je poškodená: %2").arg(part, reason);
    return false;
}

bool fieldsIn(TZipArchive &zip, const QString &part, TDataSet *data, QString *error)
{
    TXmlDocument doc;
    if (!parsePart(zip, part, doc, error))
        return false;
    if (!doc.Root)
        return true;
    doc.Root->Each(QStringLiteral("text:user-field-decl"), [&](TXmlNode *decl) {
        const QString name = decl->Attr(QStringLiteral("text:name"));
        if (!data->FindField(name))
            return;
        for (const char *a :
             {"office:value", "office:date-value", "office:time-value", "office:boolean-value", "office:currency"})
            decl->RemoveAttr(QLatin1String(a));
        decl->SetAttr(QStringLiteral("office:value-type"), QStringLiteral("string"));
        decl->SetAttr(QStringLiteral("office:string-value"), data->FindField(name)->AsString());
    });
    doc.Root->Each(QStringLiteral("text:user-field-get"), [&](TXmlNode *shown) {
        const TField *field = data->FindField(shown->Attr(QStringLiteral("text:name")));
        if (!field)
            return;
        shown->ClearChildren();
        shown->AddText(field->AsString());
    });
    zip.Set(part, doc.Bytes());
    return true;
}

// A corner of a range address without its sheet: "$Hárok1.$B$2", "'Môj hárok'.B2" or ".B2" give "$B$2" or
// "B2"; a named sheet is put into sheet, the start's sheet stands for ".B2".
QString cornerOf(const QString &text, QString &sheet)
{
    const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        QString name = text.left(dot);
        name.remove(QLatin1Char('$'));
        if (name.startsWith(QLatin1Char('\'')) && name.endsWith(QLatin1Char('\'')) && name.size() >= 2)
            name = name.mid(1, name.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
        sheet = name;
    }
    return text.mid(dot + 1);
}

struct Range {
    QString sheet;
    TCellArea area;
};

// "$Hárok1.$B$3:.$B$12", "$Hárok1.$B$3", and whole columns or rows ("$Hárok1.$B:.$B").
bool parseRange(const QString &address, Range &range)
{
    const QStringList ends = address.split(QLatin1Char(':'));
    if (ends.size() > 2)
        return false;
    const QString first = cornerOf(ends[0], range.sheet);
    QString sheet = range.sheet;
    return ParseCellArea(first, ends.size() > 1 ? cornerOf(ends[1], sheet) : QString(), range.area);
}

bool isRowContainer(const QString &name)
{
    return name == QLatin1String("table:table-row-group") || name == QLatin1String("table:table-header-rows") ||
           name == QLatin1String("table:table-rows");
}

// How many rows or cells a node stands for; no more than a sheet has, whatever the template says.
int repeated(const TXmlNode *node, const QString &attribute)
{
    return int(std::clamp(node->Attr(attribute).toLongLong(), 1LL, qint64(MaxSheetRows)));
}

void setRepeated(TXmlNode *node, const QString &attribute, int count)
{
    if (count > 1)
        node->SetAttr(attribute, QString::number(count));
    else
        node->RemoveAttr(attribute);
}

// Of a node standing for `count` repeated ones, the one at offset becomes a node of its own.
TXmlNode *splitOut(TXmlNode *node, const QString &attribute, int offset)
{
    const int count = repeated(node, attribute);
    if (offset > 0) {
        setRepeated(node, attribute, offset);
        node = node->CloneAfter();
        setRepeated(node, attribute, count - offset);
    }
    if (count - offset > 1) {
        setRepeated(node, attribute, 1);
        TXmlNode *rest = node->CloneAfter();
        setRepeated(rest, attribute, count - offset - 1);
    }
    return node;
}

// The rows of a table in their order, also those inside groups of rows (which may nest).
void collectRows(TXmlNode *table, std::vector<TXmlNode *> &rows)
{
    table->Walk([&](TXmlNode *c) {
        if (c->Name == QLatin1String("table:table-row"))
            rows.push_back(c);
        return isRowContainer(c->Name);
    });
}

// The element of the item at index among the children that repeat by attribute, made when missing.
TXmlNode *nthRepeated(TXmlNode *parent, const std::vector<TXmlNode *> &items, const QString &attribute, int index,
                      const QString &newName)
{
    qint64 at = 0;
    for (TXmlNode *item : items) {
        const int count = repeated(item, attribute);
        if (index < at + count)
            return splitOut(item, attribute, int(index - at));
        at += count;
    }
    TXmlNode *where = items.empty() ? parent : items.back()->Parent;
    if (index > at) {
        TXmlNode *gap = where->AddElement(newName);
        setRepeated(gap, attribute, int(index - at));
        if (newName == QLatin1String("table:table-row"))
            gap->AddElement(QStringLiteral("table:table-cell"));
    }
    return where->AddElement(newName);
}

void setCell(TXmlNode *table, int row, int column, const TCellValue &value)
{
    std::vector<TXmlNode *> rows;
    collectRows(table, rows);
    TXmlNode *rowNode =
        nthRepeated(table, rows, QStringLiteral("table:number-rows-repeated"), row, QStringLiteral("table:table-row"));
    std::vector<TXmlNode *> cells;
    for (const auto &c : rowNode->Children)
        if (c->Name == QLatin1String("table:table-cell") || c->Name == QLatin1String("table:covered-table-cell"))
            cells.push_back(c.get());
    TXmlNode *cell = nthRepeated(rowNode, cells, QStringLiteral("table:number-columns-repeated"), column,
                                 QStringLiteral("table:table-cell"));
    for (const char *a :
         {"office:value-type", "office:value", "office:date-value", "office:time-value", "office:boolean-value",
          "office:string-value", "office:currency", "table:formula", "calcext:value-type"})
        cell->RemoveAttr(QLatin1String(a));
    cell->ClearChildren();
    if (value.Numeric) {
        cell->SetAttr(QStringLiteral("office:value-type"), QStringLiteral("float"));
        cell->SetAttr(QStringLiteral("office:value"), QString::number(value.Number, 'g', 15));
    } else {
        cell->SetAttr(QStringLiteral("office:value-type"), QStringLiteral("string"));
    }
    cell->AddElement(QStringLiteral("text:p"))->AddText(value.Text);
}

} // namespace

bool FillOdtUserFields(TZipArchive &document, TDataSet *data, QString *error)
{
    // Declarations are in the content; headers and footers show fields from the styles.
    return fieldsIn(document, ContentPart, data, error) &&
           fieldsIn(document, QStringLiteral("styles.xml"), data, error);
}

bool FillOdsNamedRanges(TZipArchive &document, TDataSet *data, QString *error)
{
    TXmlDocument doc;
    if (!parsePart(document, ContentPart, doc, error))
        return false;
    if (!doc.Root)
        return true;
    struct Target {
        QString field;
        Range range;
        TXmlNode *table = nullptr;
    };
    QHash<QString, TXmlNode *> tables;
    doc.Root->Each(QStringLiteral("table:table"),
                   [&](TXmlNode *t) { tables.insert(t->Attr(QStringLiteral("table:name")), t); });
    std::vector<Target> targets;
    doc.Root->Each(QStringLiteral("table:named-range"), [&](TXmlNode *named) {
        Target t;
        t.field = named->Attr(QStringLiteral("table:name"));
        if (!data->FindField(t.field) || !parseRange(named->Attr(QStringLiteral("table:cell-range-address")), t.range))
            return;
        t.table = tables.value(t.range.sheet);
        if (t.table)
            targets.push_back(t);
    });
    if (targets.empty())
        return true;
    int deepest = 0;
    for (const Target &t : targets)
        deepest = std::max(deepest, t.range.area.Rows);
    for (; !data->Eof() && data->RecNo() <= deepest; data->Next()) {
        const int n = data->RecNo();
        for (const Target &t : targets)
            if (t.range.area.Rows >= n)
                setCell(t.table, t.range.area.Row + n - 1, t.range.area.Column, FieldCellValue(data, t.field));
    }
    document.Set(ContentPart, doc.Bytes());
    return true;
}
