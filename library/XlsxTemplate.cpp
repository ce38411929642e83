#include "library/XlsxTemplate.h"

#include <QSet>

namespace {

const QString WorkbookPart = QStringLiteral("xl/workbook.xml");

QString cellRef(int row, int column)
{
    QString letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row + 1);
}

// The areas of a defined name's formula: "Hárok1!$A$1:$A$10", "('Môj hárok'!$A$1,Hárok1!$C$3)".
std::vector<TXlsxTemplate::Area> parseAreas(QString formula)
{
    std::vector<TXlsxTemplate::Area> areas;
    formula = formula.trimmed();
    if (formula.startsWith(QLatin1Char('(')) && formula.endsWith(QLatin1Char(')')))
        formula = formula.mid(1, formula.size() - 2);
    QStringList parts;
    QString part;
    bool quoted = false;
    for (QChar c : formula) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (c == QLatin1Char(',') && !quoted) {
            parts << part;
            part.clear();
        } else {
            part += c;
        }
    }
    parts << part;
    for (const QString &p : parts) {
        const qsizetype bang = p.lastIndexOf(QLatin1Char('!'));
        if (bang <= 0)
            continue;
        TXlsxTemplate::Area area;
        area.Sheet = p.left(bang).trimmed();
        if (area.Sheet.size() >= 2 && area.Sheet.startsWith(QLatin1Char('\'')) &&
            area.Sheet.endsWith(QLatin1Char('\'')))
            area.Sheet = area.Sheet.mid(1, area.Sheet.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
        const QStringList ends = p.mid(bang + 1).split(QLatin1Char(':'));
        if (ends.size() <= 2 && ParseCellArea(ends[0].trimmed(), ends.size() > 1 ? ends[1].trimmed() : QString(), area))
            areas.push_back(area);
    }
    return areas;
}

// The element's prefix ("x:" of "x:worksheet"), for the elements added beside it.
QString prefixOf(const TXmlNode *node)
{
    const qsizetype colon = node->Name.indexOf(QLatin1Char(':'));
    return colon < 0 ? QString() : node->Name.left(colon + 1);
}

QString localName(const TXmlNode *node)
{
    return node->Name.mid(node->Name.indexOf(QLatin1Char(':')) + 1);
}

TXmlNode *childByLocalName(const TXmlNode *node, const QString &name)
{
    for (const auto &c : node->Children)
        if (c->IsElement() && localName(c.get()) == name)
            return c.get();
    return nullptr;
}

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

const TXlsxTemplate::Area *TXlsxTemplate::Name::Place(qint64 k, int &row, int &column) const
{
    for (const Area &a : Areas) {
        if (k <= a.Cells()) {
            row = a.Row + int((k - 1) / a.Columns);
            column = a.Column + int((k - 1) % a.Columns);
            return &a;
        }
        k -= a.Cells();
    }
    return nullptr;
}

bool TXlsxTemplate::Load(const QString &fileName, QString *error)
{
    QString reason;
    if (!TZipArchive::ReadFile(fileName, template_, &reason))
        return fail(error, QStringLiteral("Šablónu %1 nie je možné otvoriť: %2").arg(fileName, reason));
    const QString notWorkbook = QStringLiteral("Šablóna %1 nie je zošit vo formáte .xlsx.").arg(fileName);
    if (!zip_.Load(template_, &reason))
        return fail(error, notWorkbook + QLatin1Char(' ') + reason);
    if (!zip_.Find(WorkbookPart))
        return fail(error, notWorkbook);
    TXmlDocument workbook, relations;
    if (!workbook.Parse(zip_.Find(WorkbookPart)->Data, &reason))
        return fail(error, notWorkbook + QLatin1Char(' ') + reason);
    // Sheet names to their parts, through the workbook's relationships.
    QHash<QString, QString> targets;
    if (const TZipEntry *rels = zip_.Find(QStringLiteral("xl/_rels/workbook.xml.rels"));
        rels && relations.Parse(rels->Data))
        for (const auto &r : relations.Root->Children)
            if (r->IsElement()) {
                QString target = r->Attr(QStringLiteral("Target"));
                target = target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target;
                targets.insert(r->Attr(QStringLiteral("Id")), target);
            }
    names_.clear();
    sheetParts_.clear();
    for (const auto &section : workbook.Root->Children) {
        if (!section->IsElement())
            continue;
        if (localName(section.get()) == QLatin1String("sheets")) {
            for (const auto &sheet : section->Children)
                if (sheet->IsElement())
                    sheetParts_.insert(sheet->Attr(QStringLiteral("name")),
                                       targets.value(sheet->Attr(QStringLiteral("r:id"))));
        } else if (localName(section.get()) == QLatin1String("definedNames")) {
            for (const auto &defined : section->Children) {
                if (!defined->IsElement())
                    continue;
                QString formula;
                for (const auto &t : defined->Children)
                    formula += t->Text;
                Name name{defined->Attr(QStringLiteral("name")), parseAreas(formula)};
                if (!name.Areas.empty())
                    names_.push_back(name);
            }
        }
    }
    // The sheets that names fill are read now, so a broken one is reported before any copy is made.
    QSet<QString> checked;
    for (const Name &name : names_)
        for (const Area &area : name.Areas) {
            const QString part = sheetParts_.value(area.Sheet);
            if (checked.contains(part) || !zip_.Find(part))
                continue;
            checked.insert(part);
            TXmlDocument sheet;
            if (!sheet.Parse(zip_.Find(part)->Data, &reason))
                return fail(error, QStringLiteral("Časť %1 šablóny %2 je poškodená: %3").arg(part, fileName, reason));
        }
    Reset();
    return true;
}

void TXlsxTemplate::Reset()
{
    zip_.Load(template_);
    sheets_.clear();
    formulaOverwritten_ = false;
}

TXmlNode *TXlsxTemplate::sheetData(const QString &sheet)
{
    const QString part = sheetParts_.value(sheet);
    if (part.isEmpty() || !zip_.Find(part))
        return nullptr;
    auto it = sheets_.find(part);
    if (it == sheets_.end()) {
        it = sheets_.emplace(part, TXmlDocument()).first;
        it->second.Parse(zip_.Find(part)->Data);
    }
    TXmlNode *root = it->second.Root.get();
    if (!root)
        return nullptr;
    TXmlNode *data = childByLocalName(root, QStringLiteral("sheetData"));
    return data ? data : root->AddElement(prefixOf(root) + QStringLiteral("sheetData"));
}

bool TXlsxTemplate::SetCell(const QString &sheet, int row, int column, const TCellValue &value)
{
    TXmlNode *data = sheetData(sheet);
    if (!data)
        return false;
    const QString prefix = prefixOf(data);
    // Rows and cells stand in their order; a missing one is put in its place. They are looked for from the
    // end, where the records of a name add theirs one after another.
    TXmlNode *rowNode = nullptr;
    int place = 0;
    for (int i = int(data->Children.size()) - 1; i >= 0; --i) {
        TXmlNode *r = data->Children[i].get();
        if (!r->IsElement())
            continue;
        const int number = r->Attr(QStringLiteral("r")).toInt();
        if (number == row + 1) {
            rowNode = r;
            break;
        }
        if (number < row + 1) {
            place = i + 1;
            break;
        }
    }
    if (!rowNode) {
        rowNode = data->InsertElement(place, prefix + QStringLiteral("row"));
        rowNode->SetAttr(QStringLiteral("r"), QString::number(row + 1));
    }
    TXmlNode *cell = nullptr;
    place = 0;
    for (int i = int(rowNode->Children.size()) - 1; i >= 0; --i) {
        TXmlNode *c = rowNode->Children[i].get();
        int r = 0, col = 0;
        if (!c->IsElement() || !ParseCellReference(c->Attr(QStringLiteral("r")), r, col))
            continue;
        if (col == column) {
            cell = c;
            break;
        }
        if (col < column) {
            place = i + 1;
            break;
        }
    }
    if (!cell) {
        cell = rowNode->InsertElement(place, prefix + QStringLiteral("c"));
        cell->SetAttr(QStringLiteral("r"), cellRef(row, column));
    }
    formulaOverwritten_ = formulaOverwritten_ || childByLocalName(cell, QStringLiteral("f"));
    cell->ClearChildren();
    cell->RemoveAttr(QStringLiteral("t"));
    if (value.Numeric) {
        cell->AddElement(prefix + QStringLiteral("v"))->AddText(QString::number(value.Number, 'g', 15));
    } else {
        cell->SetAttr(QStringLiteral("t"), QStringLiteral("inlineStr"));
        TXmlNode *text = cell->AddElement(prefix + QStringLiteral("is"))->AddElement(prefix + QStringLiteral("t"));
        text->SetAttr(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        text->AddText(value.Text);
    }
    return true;
}

QByteArray TXlsxTemplate::Bytes()
{
    for (const auto &[part, doc] : sheets_)
        if (doc.Root)
            zip_.Set(part, doc.Bytes());
    // The calculation chain lists formula cells; one that now holds a value would make it invalid, and the
    // spreadsheet program rebuilds the chain when it is missing.
    if (formulaOverwritten_ && zip_.Find(QStringLiteral("xl/calcChain.xml"))) {
        zip_.Remove(QStringLiteral("xl/calcChain.xml"));
        const auto drop = [&](const QString &part, const QString &attribute, const QString &ending) {
            TXmlDocument doc;
            if (!zip_.Find(part) || !doc.Parse(zip_.Find(part)->Data))
                return;
            std::erase_if(doc.Root->Children, [&](const auto &c) { return c->Attr(attribute).endsWith(ending); });
            zip_.Set(part, doc.Bytes());
        };
        drop(QStringLiteral("[Content_Types].xml"), QStringLiteral("PartName"), QStringLiteral("/calcChain.xml"));
        drop(QStringLiteral("xl/_rels/workbook.xml.rels"), QStringLiteral("Target"), QStringLiteral("calcChain.xml"));
    }
    return zip_.Bytes();
}
