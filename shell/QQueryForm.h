// TQQueryForm: the SQL console. A statement typed (or handed over by another form, read-only), its
// parameters, the result as a grid sorted by a title click or as fixed-column text, printing, saving of
// the statement and the text, and the exports of the result.
#pragma once

#include "library/xQuery.h"
#include "platform/db/DataSource.h"
#include "platform/ui/Form.h"

class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QTableWidget;
class QWidget;
class TBitBtn;
class TButton;
class TDBGrid;
class TDBNavigator;

// The console's query: it tells whether its statement returns rows and whether it would start, end or
// mark a transaction.
class TConsoleQuery : public TxQuery {
public:
    bool ReturnsRows();
    bool ControlsTransaction();
};

class TQQueryForm : public TForm {
    Q_OBJECT
public:
    explicit TQQueryForm(QWidget *owner = nullptr);
    ~TQQueryForm() override;

    QTabWidget *pcQuery;
    QWidget *tsSQL, *tsParams, *tsResult, *tsText;
    QPlainTextEdit *mSQL;
    TButton *sbOpenSQL, *sbSaveSQL;
    TBitBtn *BitBtnExec, *BitBtnKoniec;
    QLabel *Label1;
    QTableWidget *sgParams;
    TButton *btnExecParams;
    QLabel *lResult;
    TDBGrid *DBGrid;
    TDBNavigator *DBNavigator;
    TButton *btnText, *btnExport;
    QPlainTextEdit *mResult;
    QLabel *lRecNo;
    TButton *BtnTlacText, *BtnSaveText, *btnFont;
    // The console's own transaction on the program's connection: each statement runs in it and ends with
    // it, so nothing typed here can end or spoil the transaction the other windows work in.
    TIBTransaction Transaction;
    TConsoleQuery Query;
    TDataSource DataSource;

    // Shows the console modally; with a statement it is read-only and runs at once.
    void ShowConsole(const QString &sql, const QString &caption);
    // Ctrl+E: takes the statement, asks for its parameters or runs it.
    void Run();
    // Runs the statement with the parameters' values; errors are shown and the pages stay.
    void Execute();
    // Orders the result by the column (from 1): ASC, then DESC on the same column.
    void SortByColumn(int column);
    void RefreshRecordCount();
    void BuildText();
    void ChangeFontSize();
    void PrintText();
    void OpenSql();
    void SaveSql();
    void SaveText();
    // Asks for the file and its kind and writes the export; closes the console only on success.
    void Export();

protected:
    void KeyDown(int &key, Qt::KeyboardModifiers modifiers) override;

private:
    // Closes the result and ends the transaction it was read in.
    void endTransaction();
    QString askSaveFileName(const QString &fileName, const QString &filters, const QString &title,
                            int *filterIndex = nullptr);
};

extern TQQueryForm *QQueryForm;

// The console shown with a statement (empty: typed by the user) and a caption (empty: "Query").
void ShowSqlConsole(const QString &sql, const QString &caption);
// The console's working folder: the program's at first, then that of the last file opened or saved.
QString &SqlConsoleFolder();
