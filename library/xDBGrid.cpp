#include "xDBGrid.h"

#include "SqlClause.h"
#include "SqlLiteral.h"
#include "xFilterForm.h"
#include "xTable.h"
#include "platform/db/DataSet.h"
#include "platform/fb/IBCustomDataSet.h"
#include "platform/os/Folders.h"
#include "platform/os/Format.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Glyphs.h"
#include "platform/ui/Guarded.h"
#include "QTlacForm.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringConverter>

namespace {

// Whether text holds the clause as a whole: "ORDER BY 1" is not in "ORDER BY 12", nor "ORDER BY C_OBJ" in
// "ORDER BY C_OBJ2".
bool containsClause(const QString &text, const QString &clause)
{
    for (qsizetype at = text.indexOf(clause); at >= 0; at = text.indexOf(clause, at + 1)) {
        const qsizetype end = at + clause.size();
        if (end >= text.size())
            return true;
        const QChar next = text.at(end);
        if (!next.isLetterOrNumber() && next != QLatin1Char('_') && next != QLatin1Char('$'))
            return true;
    }
    return false;
}

bool aggregatable(const TField *f)
{
    switch (f->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        return true;
    default:
        return false;
    }
}

} // namespace

// ---------------------------------------------------------------- construction

TxCustomDBGrid::TxCustomDBGrid(QWidget *parent) : TDBGrid(parent)
{
    Model()->ColumnFactory = [] { return std::make_unique<TxColumn>(); };
    SetOptions(Options() | dgRowSelect);
    connect(Model(), &TDataSetModel::activeChanged, this,
            [this](bool active) { Guarded([&] { CalcAggregates(active); }); });
}

TxCustomDBGrid::~TxCustomDBGrid() = default;

void TxCustomDBGrid::SetTitleClickToOrderBy(bool on)
{
    titleClickToOrderBy_ = on;
    if (on)
        ShowHint = true;
    UpdateColumnWidths();
}

int TxCustomDBGrid::TitleMarkWidth(const TColumn *c) const
{
    // The arrow shows on a column the data is sorted by, and any data column of a grid sorted by a title
    // click may become one. It sits at the title's right edge and the title is centred: room on both sides.
    const TField *f = c->Field();
    const bool sortable = titleClickToOrderBy_ && f && f->FieldKind() == fkData;
    if (!sortable && OrderState(c->Index()) == 0)
        return 0;
    return 2 * (Glyph(QStringLiteral("ORDERBY_ASC")).width() + 4);
}

QFont TxCustomDBGrid::TitleFont() const
{
    return horizontalHeader()->font();
}

// The grid's own printing: the shared print dialog on the shared printer, landscape when the columns are
// wider than the page, then the rows.
static void printGridOnPrinter(TxCustomDBGrid *grid)
{
    QPrinter &printer = Printer();
    QPrintDialog dialog(&printer, grid);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printer.setDocName(QStringLiteral("TxDBGrid.Print"));
    double width = 0;
    for (int i = 0; i < grid->ColumnCount(); ++i)
        width += grid->columnWidth(i) + 2;
    width = width * printer.logicalDpiX() / std::max(1, grid->logicalDpiX());
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    if (width > page.width())
        printer.setPageOrientation(QPageLayout::Landscape);
    grid->PrintTo(&printer);
}

std::function<void(TxCustomDBGrid *)> &TxCustomDBGrid::PrintFrontEnd()
{
    static std::function<void(TxCustomDBGrid *)> frontEnd = printGridOnPrinter;
    return frontEnd;
}

bool TxCustomDBGrid::dataOpen() const
{
    return DataSet() && DataSet()->Active();
}

// ---------------------------------------------------------------- sorting

QString TxCustomDBGrid::ownOrder(const TField *f) const
{
    if (!OnBeforeOrderBy)
        return QString();
    QString name = f->FieldName();
    OnBeforeOrderBy(const_cast<TxCustomDBGrid *>(this), name);
    if (name.isEmpty() || name.compare(f->FieldName(), Qt::CaseInsensitive) == 0)
        return QString();
    QStringList items = name.toUpper().split(QLatin1Char(','));
    for (QString &item : items)
        item = item.trimmed();
    return items.join(QLatin1Char(','));
}

QString TxCustomDBGrid::descendingOrder(const QString &order)
{
    QStringList items = order.split(QLatin1Char(','));
    for (QString &item : items)
        item += QStringLiteral(" DESC");
    return items.join(QLatin1Char(','));
}

int TxCustomDBGrid::OrderState(int column) const
{
    const TField *f = column >= 0 && column < ColumnCount() ? Columns(column)->Field() : nullptr;
    if (!dataOpen() || !f)
        return 0;
    const QString s = GetOrderBy().toUpper();
    // An order of its own (several columns) is descending when each of its columns is.
    if (const QString own = ownOrder(f); !own.isEmpty()) {
        if (containsClause(s, QStringLiteral("ORDER BY ") + descendingOrder(own)))
            return 2;
        if (containsClause(s, QStringLiteral("ORDER BY ") + own))
            return 1;
    }
    const QString a = QStringLiteral("ORDER BY ") + f->FieldName().toUpper();
    const QString b = QStringLiteral("ORDER BY ") + QString::number(f->FieldNo());
    if (!containsClause(s, a) && !containsClause(s, b))
        return 0;
    const QString desc = QStringLiteral(" DESC");
    return containsClause(s, a + desc) || containsClause(s, b + desc) ? 2 : 1;
}

void TxCustomDBGrid::TitleClickOrder(int column)
{
    if (!titleClickToOrderBy_ || !dataOpen() || column < 0 || column >= ColumnCount())
        return;
    TField *f = Columns(column)->Field();
    if (!f || f->FieldKind() != fkData)
        return;
    const int fieldNo = f->FieldNo();
    const bool ascending = OrderState(column) == 1;
    QString name = f->FieldName();
    if (OnBeforeOrderBy)
        OnBeforeOrderBy(this, name);
    // The whole order goes to the hook: a long field name is never cut short. An order of the column's own
    // sorts a query too, in place of the column's number.
    const QString own = ownOrder(f);
    QString fieldForm = name.toUpper();
    QString numberForm = own.isEmpty() ? QString::number(fieldNo) : own;
    if (ascending) {
        fieldForm += QStringLiteral(" DESC");
        numberForm = own.isEmpty() ? numberForm + QStringLiteral(" DESC") : descendingOrder(own);
    }
    TDataSet *ds = DataSet();
    ds->Close();
    SetOrderBy(fieldForm, numberForm);
    try {
        ds->Open();
    } catch (const Exception &) {
        // An order the server refuses is dropped quietly and the data shown unsorted.
        SetOrderBy(QString(), QString());
        name.clear();
        ds->Open();
    }
    for (int i = 0; i < ColumnCount(); ++i) {
        TColumn *c = Columns(i);
        QFont font = TitleFont();
        font.setBold(!name.isEmpty() && name.contains(c->FieldName));
        c->TitleFont = font;
    }
    horizontalHeader()->viewport()->update();
}

void TxCustomDBGrid::TitleClick(TColumn *column)
{
    const TField *f = column->Field();
    if ((QApplication::keyboardModifiers() & Qt::ShiftModifier) && f && IsNumericType(f->DataType())) {
        ShowMessage(f->FieldName());
        return;
    }
    Guarded([&] { TitleClickOrder(column->Index()); });
    TDBGrid::TitleClick(column);
}

// ---------------------------------------------------------------- drawing

void TxCustomDBGrid::DrawTitle(QPainter *painter, const QRect &rect, int column)
{
    const int state = OrderState(column);
    if (state == 0)
        return;
    const QPixmap arrow = Glyph(state == 2 ? QStringLiteral("ORDERBY_DESC") : QStringLiteral("ORDERBY_ASC"));
    painter->drawPixmap(rect.right() - arrow.width() - 3, rect.top() + 1, arrow);
}

void TxCustomDBGrid::DrawCorner(QPainter *painter, const QRect &rect)
{
    if (!dataOpen() || !DataSet()->Filtered() || !(Options() & dgIndicator))
        return;
    painter->save();
    painter->setClipRect(rect);
    QFont font = this->font();
    font.setBold(true);
    painter->setFont(font);
    painter->setPen(Qt::black);
    painter->drawText(QPoint(rect.left() + 1, rect.top() + 2 + painter->fontMetrics().ascent()), QStringLiteral("F"));
    painter->restore();
}

QString TxCustomDBGrid::TitleHint(int column)
{
    if (!ShowHint || column < 0 || column >= ColumnCount())
        return QString();
    const TxColumn *c = XColumns(column);
    QString text;
    if (titleClickToOrderBy_) {
        const QString label = c->Field() ? c->Field()->DisplayLabel() : c->FieldName;
        text += QStringLiteral("\rKlikutím zoradí podľa \"") + label + QLatin1Char('"');
    }
    if (AutoCalcAgg && c->Sum != 0)
        text += Format(QStringLiteral("\rSúčet hodnôt : %f\rPriemerná hodnota : %f\rMinimum : %f\rMaximum : %f"),
                       {c->Sum, c->Average, c->Min, c->Max});
    return text.mid(1, 120);
}

// ---------------------------------------------------------------- aggregates

void TxCustomDBGrid::CalcAggregates(bool active)
{
    if (!active || !AutoCalcAgg || !dataOpen())
        return;
    for (int i = 0; i < ColumnCount(); ++i) {
        TxColumn *c = XColumns(i);
        c->Sum = c->Average = c->Min = c->Max = 0;
    }
    TDataSet *ds = DataSet();
    {
        TDisableControls off(ds);
        ds->First();
        while (!ds->Eof()) {
            const bool first = ds->RecNo() == 1;
            for (int i = 0; i < ColumnCount(); ++i) {
                TxColumn *c = XColumns(i);
                const TField *f = c->Field();
                if (!f || !aggregatable(f))
                    continue;
                const double v = f->AsFloat();
                if (first) {
                    c->Sum = c->Min = c->Max = v;
                } else {
                    c->Sum += v;
                    c->Min = std::min(c->Min, v);
                    c->Max = std::max(c->Max, v);
                }
            }
            ds->Next();
        }
        ds->First();
    }
    const int count = ds->RecordCount();
    for (int i = 0; i < ColumnCount() && count > 0; ++i)
        XColumns(i)->Average = XColumns(i)->Sum / count;
    if (OnAfterCalcAgg)
        OnAfterCalcAgg(this);
    ShowHint = true;
}

// ---------------------------------------------------------------- filters

void TxCustomDBGrid::FilterByValue(int column)
{
    if (!dataOpen() || column < 0 || column >= ColumnCount() || !Columns(column)->Field())
        return;
    TField *f = Columns(column)->Field();
    QString value = f->AsString();
    TDataSet *ds = DataSet();
    if (InputQuery(QStringLiteral("Filter"),
                   QString::fromUtf8("Hodnota poľa [") + f->FieldName() + QStringLiteral("] ="), value)) {
        // Letters for a number or a date are refused in words; the filter stays as it was.
        if (const QString error = FieldConditionError(f->DataType(), value); !error.isEmpty()) {
            ShowError(error);
            return;
        }
        ds->SetFilterText(FieldCondition(f, value));
        ds->SetFiltered(true);
    } else {
        ds->SetFiltered(false);
    }
}

void TxCustomDBGrid::ShowFilterForm()
{
    TxFilterForm form(this);
    form.SetDataSource(DataSource());
    form.Execute();
}

// ---------------------------------------------------------------- the title menu

void TxCustomDBGrid::TitleContextMenu(int column, const QPoint &globalPos)
{
    if (!titleMenu_) {
        titleMenu_ = new QMenu(this);
        titleMenu_->setObjectName(QStringLiteral("popup") + objectName());
        titleMenu_->addAction(QIcon(Glyph(QStringLiteral("ORDERBY_ASC"))), QString::fromUtf8("Zotriediť"), this,
                              [this] { Guarded([&] { TitleClickOrder(menuColumn_); }); });
        titleMenu_->addAction(QIcon(Glyph(QStringLiteral("XDBN_FILTER"))), QString::fromUtf8("Filtrovať"), this,
                              [this] { Guarded([&] { FilterByValue(menuColumn_); }); });
        QAction *sums = titleMenu_->addAction(QString::fromUtf8("Súčtovať"), this, [this] {
            AutoCalcAgg = !AutoCalcAgg;
            Guarded([&] { CalcAggregates(true); });
        });
        sums->setCheckable(true);
        titleMenu_->addSeparator();
        titleMenu_->addAction(QString());
    }
    menuColumn_ = column;
    const QList<QAction *> items = titleMenu_->actions();
    items[0]->setEnabled(titleClickToOrderBy_);
    items[2]->setChecked(AutoCalcAgg);
    items[4]->setText(Format(QString::fromUtf8("Súčet hodnôt : %f"), {XColumns(column)->Sum}));
    items[4]->setEnabled(AutoCalcAgg);
    titleMenu_->popup(globalPos);
}

// ---------------------------------------------------------------- keys and mouse

Qt::KeyboardModifiers TxCustomDBGrid::ClickModifiers(Qt::KeyboardModifiers m) const
{
    if ((Options() & dgMultiSelect) && SimpleMultiSelect)
        m |= Qt::ControlModifier;
    return m;
}

void TxCustomDBGrid::KeyDown(int &key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    switch (key) {
    case Qt::Key_F7:
        Guarded([&] { FilterByValue(SelectedIndex()); });
        break;
    case Qt::Key_C:
        if (ctrl) {
            Guarded([&] { CopyToClipboard(shift ? 2 : 1); });
            key = 0;
        }
        break;
    case Qt::Key_F:
        if (ctrl) {
            Guarded([&] { ShowFilterForm(); });
            key = 0;
        }
        break;
    case Qt::Key_P:
        if (ctrl) {
            Guarded([&] { Print(); });
            key = 0;
        }
        break;
    case Qt::Key_S:
        if (ctrl) {
            if (Guarded([&] { Export(0, QString()); }))
                ShowMessage(QString::fromUtf8("Data boli uložené do súboru export.csv"));
            key = 0;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (EnterToTab) {
            key = Qt::Key_Tab;
        } else if (Options() & dgRowSelect) {
            key = 0;
            DblClick();
        }
        break;
    default:
        break;
    }
    TDBGrid::KeyDown(key, modifiers);
}

// ---------------------------------------------------------------- copy, print, export

QString TxCustomDBGrid::rowText()
{
    QStringList cells;
    for (int i = 0; i < ColumnCount(); ++i)
        cells << (Columns(i)->Field() ? Columns(i)->Field()->AsString() : QString());
    return cells.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
}

void TxCustomDBGrid::CopyToClipboard(int mode)
{
    if (!dataOpen() || DataSet()->IsEmpty())
        return;
    TDataSet *ds = DataSet();
    QString text;
    if (mode == 1) {
        TDisableControls off(ds);
        while (!ds->Eof()) {
            text += rowText();
            ds->Next();
        }
    } else if (const std::vector<int> marked = mode == 2 ? SelectedRowNumbers() : std::vector<int>(); !marked.empty()) {
        // The marked rows are read where they stand: the cursor stays.
        for (int row : marked)
            ds->WithRecord(row, [&] { text += rowText(); });
    } else {
        text = rowText();
    }
    SetClipboardText(text);
}

void TxCustomDBGrid::Print()
{
    if (!dataOpen())
        return;
    if (PrintFrontEnd())
        PrintFrontEnd()(this);
}

void TxCustomDBGrid::PrintTo(QPagedPaintDevice *device)
{
    if (!dataOpen())
        return;
    QString title = PrintTitle;
    int fontSize = PrintFontSize;
    if (OnBeforePrint)
        OnBeforePrint(this, title, fontSize);
    QPainter p(device);
    const QRect page(0, 0, device->width(), device->height());
    int y = 0;
    if (!PrintTitle.isEmpty()) {
        QFont tf = font();
        tf.setPointSize(11);
        tf.setBold(true);
        p.setFont(tf);
        p.drawText(QPoint(0, p.fontMetrics().ascent()), title);
        y = qRound(p.fontMetrics().height() * 1.5);
    }
    QFont rf = font();
    rf.setPointSize(std::max(fontSize, 1));
    rf.setBold(true);
    p.setFont(rf);
    const double k = fontSize * (double(device->logicalDpiX()) / std::max(logicalDpiX(), 1)) / 9.0;
    const int gap = qRound(2 * k);
    const int lineHeight = qRound(p.fontMetrics().height() * 1.1);
    std::vector<int> widths;
    for (int i = 0; i < ColumnCount(); ++i)
        widths.push_back(qRound(columnWidth(i) * k));
    auto drawRow = [&](const std::function<QString(int)> &textOf, bool rightAlignable) {
        int x = 0;
        for (int i = 0; i < ColumnCount(); ++i) {
            const QRect cell(x, y, widths[i], lineHeight);
            const bool right = rightAlignable && Columns(i)->Alignment() == TAlignment::taRightJustify;
            p.save();
            p.setClipRect(cell);
            p.drawText(cell.adjusted(2, 2, -2, 0), (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop, textOf(i));
            p.restore();
            x += widths[i] + gap;
        }
        y += lineHeight;
    };
    drawRow([&](int i) { return Columns(i)->Title(); }, false);
    rf.setBold(false);
    p.setFont(rf);
    TDataSet *ds = DataSet();
    TDisableControls off(ds);
    ds->First();
    while (!ds->Eof()) {
        drawRow([&](int i) { return Columns(i)->Field() ? Columns(i)->Field()->DisplayText() : QString(); }, true);
        if (page.height() < y + lineHeight) {
            device->newPage();
            y = 0;
        }
        ds->Next();
    }
}

void TxCustomDBGrid::Export(int kind, const QString &fileName)
{
    if (!dataOpen())
        return;
    QString path = fileName;
    if (path.isEmpty()) {
        QDir().mkpath(DocumentsFolder());
        path =
            DocumentsFolder() + QStringLiteral("export.") + (kind == 0 ? QStringLiteral("csv") : QStringLiteral("txt"));
    }
    const QString sep =
        path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive) ? QStringLiteral("\t") : QStringLiteral(";");
    // Written beside the target and put in place only when whole: a failed export leaves the old file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Exception(QString::fromUtf8("Súbor %1 nie je možné vytvoriť: %2").arg(path, file.errorString()));
    TDataSet *ds = DataSet();
    const QString crlf = QStringLiteral("\r\n");
    auto write = [&](const QString &line) {
        const QByteArray bytes = line.toUtf8();
        if (file.write(bytes) != bytes.size())
            throw Exception(QString::fromUtf8("Súbor %1 nie je možné zapísať: %2").arg(path, file.errorString()));
    };
    {
        TDisableControls off(ds);
        if (kind == 0) {
            QStringList names;
            for (int i = 0; i < ds->FieldCount(); ++i)
                names << ds->Fields(i)->DisplayName();
            write(names.join(sep) + crlf);
        }
        ds->First();
        while (!ds->Eof()) {
            QStringList cells;
            for (int i = 0; i < ds->FieldCount(); ++i) {
                const TField *f = ds->Fields(i);
                const TFieldType t = f->DataType();
                if (kind == 0) {
                    if (IsStringType(t) || t == ftMemo) {
                        QString v = f->AsString();
                        v.replace(crlf, QStringLiteral(" ")).replace(QLatin1Char('"'), QStringLiteral("\"\""));
                        cells << QLatin1Char('"') + v + QLatin1Char('"');
                    } else if (t == ftBlob || t == ftGraphic) {
                        cells << QString();
                    } else {
                        cells << f->AsString();
                    }
                    continue;
                }
                switch (t) {
                case ftSmallint:
                    cells << QString::asprintf("%6d", f->AsInteger());
                    break;
                case ftInteger:
                    cells << QString::asprintf("%11d", f->AsInteger());
                    break;
                case ftFloat:
                case ftBCD:
                    cells << QString::asprintf("%15.5f", f->AsFloat()); // always a point
                    break;
                case ftDate:
                case ftDateTime:
                    cells << (f->IsNull() ? QString(8, QLatin1Char(' '))
                                          : f->AsDateTime().toString(QStringLiteral("yyyyMMdd")));
                    break;
                case ftBlob:
                case ftGraphic:
                    break;
                default: {
                    const int size = IsStringType(t)                 ? f->Size() + 1
                                     : t == ftWord || t == ftBoolean ? 2
                                     : t == ftTime                   ? 4
                                     : t == ftMemo                   ? 0
                                                                     : 8;
                    cells << f->AsString().leftJustified(size, QLatin1Char(' '));
                }
                }
            }
            write(cells.join(kind == 0 ? sep : QString()) + crlf);
            ds->Next();
        }
    }
    if (!file.commit())
        throw Exception(QString::fromUtf8("Súbor %1 nie je možné zapísať: %2").arg(path, file.errorString()));
}

// ---------------------------------------------------------------- TxDBGrid: the order hooks

QString TxDBGrid::GetOrderBy() const
{
    TDataSet *ds = DataSet();
    QString text;
    if (auto *d = dynamic_cast<TIBDataSet *>(ds))
        text = d->SelectSQL.Text();
    else if (auto *q = dynamic_cast<TIBQuery *>(ds))
        text = q->SQL().Text();
    else if (auto *t = dynamic_cast<TIBTable *>(ds))
        text = QStringLiteral("SELECT * FROM ") + t->TableName() + QStringLiteral(" ORDER BY ") + t->IndexFieldNames();
    return text.toUpper();
}

void TxDBGrid::SetOrderBy(const QString &fieldList, const QString &orderClause)
{
    TDataSet *ds = DataSet();
    const QString keyword = QStringLiteral("ORDER BY");
    if (auto *d = dynamic_cast<TIBDataSet *>(ds)) {
        SqlClause(d->SelectSQL, keyword, orderClause, 3);
    } else if (auto *q = dynamic_cast<TIBQuery *>(ds)) {
        SqlClause(q->SQL(), keyword, orderClause, 3);
    } else if (auto *xt = dynamic_cast<TxTable *>(ds)) {
        xt->SetIndexFieldNames(fieldList);
    } else if (auto *t = dynamic_cast<TIBTable *>(ds)) {
        QString list = fieldList;
        list.remove(QRegularExpression(QStringLiteral(" DESC"), QRegularExpression::CaseInsensitiveOption));
        t->SetIndexFieldNames(list);
    }
}

void TxCustomDBGrid::FocusFirstEditableCell()
{
    const int row = std::max(Model()->CurrentRow(), 0);
    for (int column = 0; column < ColumnCount(); ++column) {
        const QModelIndex cell = Model()->index(row, column);
        if (isColumnHidden(column) || !(Model()->flags(cell) & Qt::ItemIsEditable))
            continue;
        setFocus(Qt::OtherFocusReason);
        SetSelectedIndex(column);
        scrollTo(currentIndex());
        return;
    }
}
