#include "QQueryForm.h"

#include "DMZal.h"
#include "Routines.h"
#include "SqlConsoleExport.h"
#include "SqlConsoleText.h"
#include "library/TextPrint.h"
#include "platform/db/SqlWait.h"
#include "platform/fbapi/ParamParser.h"
#include "platform/fbapi/Statement.h"
#include "platform/fbapi/Transaction.h"
#include "platform/os/Exception.h"
#include "platform/os/Folders.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBNavigator.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/WaitCursor.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextStream>
#include <QVBoxLayout>

TQQueryForm *QQueryForm = nullptr;

namespace {

const QString SqlFilter = QStringLiteral("SQL Query (*.sql *.SQL)");
const QString TextFilter = QStringLiteral("Text. subor (*.txt *.TXT)");
// The export kinds in the order of their filter index (1..4).
const QStringList ExportFilters{QStringLiteral("Text.subor (*.csv *.CSV)"), QStringLiteral("DBF subor (*.dbf *.DBF)"),
                                QStringLiteral("Text. subor (*.txt *.TXT)"),
                                QStringLiteral("Excel subor (*.xlsx *.XLSX)")};

TButton *button(const QString &caption, QWidget *parent, const std::function<void()> &action)
{
    auto *b = new TButton(caption, parent);
    QObject::connect(b, &QPushButton::clicked, parent, [action] { Guarded(action); });
    return b;
}

int &rememberedFilterIndex()
{
    static int index = 1;
    return index;
}

} // namespace

QString &SqlConsoleFolder()
{
    static QString folder = ProgramFolder();
    return folder;
}

bool TConsoleQuery::ReturnsRows()
{
    Prepare();
    return !Columns().empty();
}

bool TConsoleQuery::ControlsTransaction()
{
    // Prepared on its own (never run): only the server knows the kind of a statement behind comments.
    CheckDatabase();
    Database()->TestConnected();
    fb::Transaction look(Database()->Attachment());
    fb::Statement statement;
    statement.prepare(look, fb::parseParams(SQL().Text()).sql);
    switch (statement.statementType()) {
    case fb::StatementType::StartTransaction:
    case fb::StatementType::Commit:
    case fb::StatementType::Rollback:
    case fb::StatementType::Savepoint:
        return true;
    default:
        return false;
    }
}

TQQueryForm::TQQueryForm(QWidget *owner) : TForm(owner)
{
    QQueryForm = this;
    setObjectName(QStringLiteral("QQueryForm"));
    setWindowTitle(QStringLiteral("Query"));
    KeyPreview = true;
    resize(760, 520);
    Transaction.Name = QStringLiteral("Transaction");
    Transaction.Params.SetText(QStringLiteral("read_committed\nrec_version\nnowait"));
    Transaction.SetDefaultDatabase(&DMZal->DBZAL);
    Query.Name = QStringLiteral("Query");
    Query.SetDatabase(&DMZal->DBZAL);
    Query.SetTransaction(&Transaction);
    DataSource.Name = QStringLiteral("DataSource");
    DataSource.SetDataSet(&Query);
    DataSource.AutoEdit = false;

    auto *layout = new QVBoxLayout(this);
    pcQuery = new QTabWidget(this);
    layout->addWidget(pcQuery);

    tsSQL = new QWidget;
    auto *sqlLayout = new QVBoxLayout(tsSQL);
    mSQL = new QPlainTextEdit(tsSQL);
    mSQL->setFont(QFont(QStringLiteral("Courier")));
    mSQL->setPlainText(QStringLiteral("select * \nfrom \nwhere "));
    sqlLayout->addWidget(mSQL);
    auto *sqlButtons = new QHBoxLayout;
    sbOpenSQL = button(QStringLiteral("Otvor SQL"), this, [this] { OpenSql(); });
    sbSaveSQL = button(QString::fromUtf8("Ulož SQL"), this, [this] { SaveSql(); });
    BitBtnExec = new TBitBtn(tsSQL);
    BitBtnExec->setText(QStringLiteral("Vykonaj SQL"));
    connect(BitBtnExec, &QPushButton::clicked, this, [this] { Guarded([this] { Run(); }); });
    BitBtnKoniec = new TBitBtn(tsSQL);
    BitBtnKoniec->setText(QStringLiteral("&Koniec"));
    BitBtnKoniec->SetModalResult(mrCancel);
    BitBtnKoniec->SetCancel(true);
    for (QWidget *w : std::initializer_list<QWidget *>{sbOpenSQL, sbSaveSQL, BitBtnExec, BitBtnKoniec})
        sqlButtons->addWidget(w);
    sqlLayout->addLayout(sqlButtons);
    pcQuery->addTab(tsSQL, QStringLiteral("&SQL"));

    tsParams = new QWidget;
    auto *paramsLayout = new QVBoxLayout(tsParams);
    Label1 = new QLabel(QString::fromUtf8("Zadajte hodnoty parametrov:"), tsParams);
    sgParams = new QTableWidget(0, 2, tsParams);
    sgParams->setHorizontalHeaderLabels({QStringLiteral("Parametre"), QStringLiteral("Hodnoty")});
    sgParams->horizontalHeader()->setStretchLastSection(true);
    btnExecParams = button(QStringLiteral("Vykonaj"), this, [this] { Execute(); });
    btnExecParams->SetDefault(true);
    paramsLayout->addWidget(Label1);
    paramsLayout->addWidget(sgParams);
    paramsLayout->addWidget(btnExecParams);
    pcQuery->addTab(tsParams, QStringLiteral("Parametre"));

    tsResult = new QWidget;
    auto *resultLayout = new QVBoxLayout(tsResult);
    lResult = new QLabel(QStringLiteral("Výsledok dotazu"), tsResult);
    DBGrid = new TDBGrid(tsResult);
    DBGrid->SetDataSource(&DataSource);
    DBGrid->OnTitleClick = [this](TColumn *column) {
        if (!column || !column->Field())
            return;
        const int number = column->Field()->FieldNo();
        Guarded([this, number] { SortByColumn(number); });
    };
    DBNavigator = new TDBNavigator(&DataSource, tsResult);
    auto *resultButtons = new QHBoxLayout;
    btnText = button(QStringLiteral("Text >>"), this, [this] { pcQuery->setCurrentWidget(tsText); });
    btnExport = button(QStringLiteral("Export >>"), this, [this] { Export(); });
    resultButtons->addWidget(DBNavigator);
    resultButtons->addStretch();
    resultButtons->addWidget(btnText);
    resultButtons->addWidget(btnExport);
    resultLayout->addWidget(lResult);
    resultLayout->addWidget(DBGrid);
    resultLayout->addLayout(resultButtons);
    pcQuery->addTab(tsResult, QString::fromUtf8("&Výsledok"));

    tsText = new QWidget;
    auto *textLayout = new QVBoxLayout(tsText);
    mResult = new QPlainTextEdit(tsText);
    mResult->setLineWrapMode(QPlainTextEdit::NoWrap);
    mResult->setFont(QFont(QStringLiteral("Courier"), 10));
    lRecNo = new QLabel(tsText);
    auto *textButtons = new QHBoxLayout;
    BtnTlacText = button(QString::fromUtf8("&Tlač"), this, [this] { PrintText(); });
    BtnSaveText = button(QString::fromUtf8("&Ulož"), this, [this] { SaveText(); });
    btnFont = button(QStringLiteral("Font"), this, [this] { ChangeFontSize(); });
    textButtons->addWidget(lRecNo);
    textButtons->addStretch();
    for (QWidget *w : std::initializer_list<QWidget *>{BtnTlacText, BtnSaveText, btnFont})
        textButtons->addWidget(w);
    textLayout->addWidget(mResult);
    textLayout->addLayout(textButtons);
    pcQuery->addTab(tsText, QStringLiteral("&Text"));

    connect(pcQuery, &QTabWidget::currentChanged, this, [this](int index) {
        QWidget *page = pcQuery->widget(index);
        Guarded([this, page] {
            if (page == tsText)
                BuildText();
            else if (page == tsResult)
                RefreshRecordCount();
        });
    });
}

TQQueryForm::~TQQueryForm()
{
    try {
        Query.Close();
    } catch (...) {
        // The program's end: nothing left to tell.
    }
    if (QQueryForm == this)
        QQueryForm = nullptr;
}

void TQQueryForm::KeyDown(int &key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_E && (modifiers & Qt::ControlModifier)) {
        key = 0;
        Guarded([this] { Run(); });
        return;
    }
    TForm::KeyDown(key, modifiers);
}

void TQQueryForm::ShowConsole(const QString &sql, const QString &caption)
{
    const bool given = !sql.isEmpty();
    if (given)
        mSQL->setPlainText(sql);
    mSQL->setReadOnly(given);
    sbOpenSQL->setEnabled(!given);
    pcQuery->setTabVisible(pcQuery->indexOf(tsSQL), !given);
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Query") : caption);
    if (given) {
        Guarded([this] { Run(); });
    } else {
        pcQuery->setTabVisible(pcQuery->indexOf(tsParams), false);
        pcQuery->setCurrentWidget(tsSQL);
        mSQL->setFocus();
    }
    if (pcQuery->currentWidget() == tsResult)
        Guarded([this] { RefreshRecordCount(); });
    ShowModal();
}

void TQQueryForm::endTransaction()
{
    Query.Close();
    try {
        Transaction.Commit();
    } catch (const std::exception &) {
        // Only a result was read in it: nothing is lost when it is rolled back instead.
        Transaction.Rollback();
    }
}

void TQQueryForm::Run()
{
    endTransaction();
    if (mSQL->toPlainText().trimmed().isEmpty())
        return;
    Query.SQL().SetText(mSQL->toPlainText());
    if (Query.ParamCount() > 0) {
        pcQuery->setTabVisible(pcQuery->indexOf(tsParams), true);
        sgParams->setRowCount(Query.ParamCount());
        for (int i = 0; i < Query.ParamCount(); ++i) {
            auto *name = new QTableWidgetItem(Query.Params()[i].Name);
            name->setFlags(name->flags() & ~Qt::ItemIsEditable);
            sgParams->setItem(i, 0, name);
            if (!sgParams->item(i, 1))
                sgParams->setItem(i, 1, new QTableWidgetItem);
        }
        pcQuery->setCurrentWidget(tsParams);
        sgParams->setFocus();
        sgParams->setCurrentCell(0, 1);
        return;
    }
    pcQuery->setTabVisible(pcQuery->indexOf(tsParams), false);
    Execute();
}

void TQQueryForm::Execute()
{
    endTransaction();
    for (int i = 0; i < Query.ParamCount(); ++i) {
        const QTableWidgetItem *value = i < sgParams->rowCount() ? sgParams->item(i, 1) : nullptr;
        Query.Params()[i].SetValue(value ? value->text() : QString());
    }
    TWaitCursor wait;
    try {
        if (Query.ControlsTransaction()) {
            MessageBox(QString::fromUtf8("Príkazy transakcie sa v konzole nevykonávajú."), QStringLiteral("SQL Chyba"),
                       mtError, mbOK);
            return;
        }
        if (Query.ReturnsRows()) {
            Query.Open();
            for (int i = 0; i < Query.FieldCount(); ++i)
                if (Query.Fields(i)->DataType() == ftFloat)
                    Query.Fields(i)->DisplayFormat = QStringLiteral("### ### ##0.00##");
            Query.Last();
            pcQuery->setCurrentWidget(tsResult);
            RefreshRecordCount();
            DBGrid->setFocus();
        } else {
            Query.ExecSQL();
            // Committed at once: a statement refused at its commit (a DDL with dependants) fails here.
            Transaction.Commit();
            ShowMessage(QString::fromUtf8("Počet aktualizovaných viet ") + QString::number(Query.RowsAffected()));
        }
    } catch (const std::exception &e) {
        // Whatever the statement did is undone with its transaction; the program's is untouched.
        Query.Close();
        try {
            Transaction.Rollback();
        } catch (const std::exception &) {
            // The connection itself failed: the message below says why.
        }
        const QString text = dynamic_cast<const Exception *>(&e) ? static_cast<const Exception &>(e).Message
                                                                 : QString::fromUtf8(e.what());
        MessageBox(QString::fromUtf8("Chyba pri vykonávaní dotazu !\r\n\r\n") + text, QStringLiteral("SQL Chyba"),
                   mtError, mbOK);
    }
}

void TQQueryForm::SortByColumn(int column)
{
    Query.Close();
    const QString sorted = SortedStatement(Query.SQL().Text(), column);
    // The parameters keep their values across the new text.
    QList<QVariant> values;
    for (int i = 0; i < Query.ParamCount(); ++i)
        values << Query.Params()[i].Value;
    Query.SQL().SetText(sorted);
    for (int i = 0; i < Query.ParamCount() && i < values.size(); ++i)
        Query.Params()[i].SetValue(values[i]);
    mSQL->setPlainText(sorted);
    Query.Open();
    RefreshRecordCount();
}

void TQQueryForm::RefreshRecordCount()
{
    if (Query.Active())
        lResult->setText(QString::fromUtf8("Počet viet ") + QString::number(Query.RecordCount()));
}

void TQQueryForm::BuildText()
{
    if (!Query.Active())
        return;
    TWaitCursor wait;
    const TBookmark here = Query.GetBookmark();
    mResult->setPlainText(ResultTextLines(Query, windowTitle()).join(QLatin1Char('\n')));
    lRecNo->setText(QString::number(Query.RecordCount()));
    if (here)
        Query.GotoBookmark(here);
}

void TQQueryForm::ChangeFontSize()
{
    bool ok = false;
    int size = InputBox(QStringLiteral("Zmena velkosti fontu"), QStringLiteral("Velkost"), QStringLiteral("10"))
                   .trimmed()
                   .toInt(&ok);
    if (!ok || size <= 0)
        size = 10;
    QFont font = mResult->font();
    font.setPointSize(size);
    mResult->setFont(font);
}

void TQQueryForm::PrintText()
{
    if (!PrintTextDialog(QStringLiteral("SQL Text")))
        return;
    struct End {
        ~End() { EndTextPrint(); }
    } end;
    for (const QString &line : mResult->toPlainText().split(QLatin1Char('\n')))
        PrintTextPage(line, true);
}

QString TQQueryForm::askSaveFileName(const QString &fileName, const QString &filters, const QString &title,
                                     int *filterIndex)
{
    QString selected = filters.split(QStringLiteral(";;")).value(0);
    QString name =
        ChooseFileName(title + QStringLiteral(" :"),
                       QFileInfo(fileName).isAbsolute() ? fileName : SqlConsoleFolder() + QLatin1Char('/') + fileName,
                       filters, &selected, true);
    if (name.isEmpty())
        return name;
    // A name typed without an extension takes the chosen kind's, so that the file opens as what it is.
    const QRegularExpressionMatch extension = QRegularExpression(QStringLiteral("\\*(\\.\\w+)")).match(selected);
    if (QFileInfo(name).suffix().isEmpty() && extension.hasMatch())
        name += extension.captured(1);
    SqlConsoleFolder() = QFileInfo(name).absolutePath();
    const int index = int(filters.split(QStringLiteral(";;")).indexOf(selected)) + 1;
    rememberedFilterIndex() = index > 0 ? index : 1;
    if (filterIndex)
        *filterIndex = rememberedFilterIndex();
    return name;
}

void TQQueryForm::OpenSql()
{
    const QString name = ChooseFileName(QString::fromUtf8("Otvoriť súbor s SQL dotazom"),
                                        SqlConsoleFolder() + QStringLiteral("/query.sql"), SqlFilter, nullptr, false);
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QString::fromUtf8("Súbor %1 nie je možné otvoriť: %2").arg(name, file.errorString()));
    SqlConsoleFolder() = QFileInfo(name).absolutePath();
    mSQL->setPlainText(QString::fromUtf8(file.readAll()));
}

namespace {
void writeText(const QString &name, const QString &text)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0)
        throw Exception(QString::fromUtf8("Súbor %1 nie je možné zapísať: %2").arg(name, file.errorString()));
}
} // namespace

void TQQueryForm::SaveSql()
{
    const QString name =
        askSaveFileName(QStringLiteral("query.sql"), SqlFilter, QString::fromUtf8("Uložit SQL dotaz do"));
    if (name.isEmpty())
        return;
    writeText(name, mSQL->toPlainText());
    ShowMessage(QString::fromUtf8("SQL dotaz bol uložený do ") + name);
}

void TQQueryForm::SaveText()
{
    const QString name =
        askSaveFileName(QStringLiteral("report.txt"), TextFilter, QString::fromUtf8("Uložit výsledok do"));
    if (name.isEmpty())
        return;
    writeText(name, mResult->toPlainText());
    ShowMessage(QString::fromUtf8("Výsledok bol uložený do ") + name);
    SetModalResult(mrOk);
}

void TQQueryForm::Export()
{
    if (!Query.Active())
        return;
    int index = 1;
    const QString name = askSaveFileName(QStringLiteral("export.csv"), ExportFilters.join(QStringLiteral(";;")),
                                         QString::fromUtf8("Uložiť výsledok do"), &index);
    if (name.isEmpty())
        return;
    const TBookmark here = Query.GetBookmark();
    const TConsoleExport kind = TConsoleExport(std::clamp(index, 1, 4));
    {
        TWaitCursor wait;
        // An error propagates to the handler's message and the console stays open.
        ExportConsoleResult(Query, name, kind);
    }
    if (here)
        Query.GotoBookmark(here);
    // The workbook may be looked at at once, in the desktop's program for it.
    if (kind == TConsoleExport::Spreadsheet && MessageBox(QString::fromUtf8("Zobrazit výsledok v Exceli ?"),
                                                          QStringLiteral("Export"), mtConfirmation, mbYesNo) == mrYes)
        OpenOrSayWhy(name);
    SetModalResult(mrOk);
}

void ShowSqlConsole(const QString &sql, const QString &caption)
{
    if (!QQueryForm)
        new TQQueryForm(ApplicationMainForm());
    QQueryForm->ShowConsole(sql, caption);
}
