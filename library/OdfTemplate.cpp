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

bool ParseCellReference(QString text, int &row, int &column)
{
    text.remove(QLatin1Char('$'));
    text = text.toUpper();
    qsizetype i = 0;
    column = 0;
    while (i < text.size() && text[i] >= QLatin1Char('A') && text[i] <= QLatin1Char('Z'))
        column = column * 26 + (text[i++].unicode() - 'A' + 1);
    bool ok = false;
    row = text.mid(i).toInt(&ok) - 1;
    --column;
    return ok && i > 0 && row >= 0 && column >= 0;
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

// A cell of a range address: "$Hárok1.$B$2", "'Môj hárok'.B2" or ".B2" (the sheet of the range's start).
bool parseCell(const QString &text, QString &sheet, int &row, int &column)
{
    const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        QString name = text.left(dot);
        name.remove(QLatin1Char('$'));
        if (name.startsWith(QLatin1Char('\'')) && name.endsWith(QLatin1Char('\'')) && name.size() >= 2)
            name = name.mid(1, name.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
        sheet = name;
    }
    return ParseCellReference(text.mid(dot + 1), row, column);
}

struct Range {
    QString sheet;
    int row = 0, column = 0, rows = 1;
};

bool parseRange(const QString &address, Range &range)
{
    const QStringList ends = address.split(QLatin1Char(':'));
    int endRow = 0, endColumn = 0;
    if (!parseCell(ends[0], range.sheet, range.row, range.column))
        return false;
    range.rows = 1;
    if (ends.size() > 1) {
        QString sheet = range.sheet;
        if (!parseCell(ends[1], sheet, endRow, endColumn))
            return false;
        range.rows = endRow - range.row + 1;
    }
    return range.rows > 0;
}

bool isRowContainer(const QString &name)
{
    return name == QLatin1String("table:table-row-group") || name == QLatin1String("table:table-header-rows") ||
           name == QLatin1String("table:table-rows");
}

int repeated(const TXmlNode *node, const QString &attribute)
{
    return std::max(1, node->Attr(attribute).toInt());
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

void collectRows(TXmlNode *parent, std::vector<TXmlNode *> &rows)
{
    for (const auto &c : parent->Children) {
        if (c->Name == QLatin1String("table:table-row"))
            rows.push_back(c.get());
        else if (isRowContainer(c->Name))
            collectRows(c.get(), rows);
    }
}

// The element of the item at index among the children that repeat by attribute, made when missing.
TXmlNode *nthRepeated(TXmlNode *parent, const std::vector<TXmlNode *> &items, const QString &attribute, int index,
                      const QString &newName)
{
    int at = 0;
    for (TXmlNode *item : items) {
        const int count = repeated(item, attribute);
        if (index < at + count)
            return splitOut(item, attribute, index - at);
        at += count;
    }
    TXmlNode *where = items.empty() ? parent : items.back()->Parent;
    if (index > at) {
        TXmlNode *gap = where->AddElement(newName);
        setRepeated(gap, attribute, index - at);
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
        deepest = std::max(deepest, t.range.rows);
    for (; !data->Eof() && data->RecNo() <= deepest; data->Next()) {
        const int n = data->RecNo();
        for (const Target &t : targets)
            if (t.range.rows >= n)
                setCell(t.table, t.range.row + n - 1, t.range.column, FieldCellValue(data, t.field));
    }
    document.Set(ContentPart, doc.Bytes());
    return true;
}
