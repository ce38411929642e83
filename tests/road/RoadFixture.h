// The whole program on a fresh copy of the demo foundry: every module registered, every data module made,
// the clock on today (the demo data are dated from today), printing into a PDF file and the current folder
// a temporary one for the files written beside the work. Helpers type and click as a user does.
#pragma once

#include "dispatch/DMExp.h"
#include "production/DMMzdy.h"
#include "production/DMOdv.h"
#include "production/DMVyk.h"
#include "production/DMVyroba.h"
#include "sales/SalesFixture.h"

#include <QTemporaryDir>
#include <memory>
#include <ostream>

class QTableView;
class TDBGrid;
class TQuickRep;

// Texts in failure messages as text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

class RoadTest : public SalesTest {
protected:
    void SetUp() override;
    void TearDown() override;
    void beforeConnect() override;

    // Clicks the button with the mouse.
    static void click(QWidget *button);
    // Types the text into a grid cell of the current row: the first key opens the cell editor, Enter closes
    // it; with `button` the editor's ellipsis button is clicked before.
    static void typeCell(TDBGrid *grid, int column, const QString &text, bool button = false);
    // Clicks the row of the grid whose cell in the column shows the text; false when no row does.
    static bool clickRow(TDBGrid *grid, const QString &column, const QString &text);
    // The texts of a grid's column, row by row, as shown.
    static QStringList columnTexts(TDBGrid *grid, const QString &column);
    // The texts of every page of a prepared report.
    static QStringList reportTexts(const TQuickRep &report);
    // Stored values read in a transaction of their own.
    int stateOf(int job);
    QStringList boxes() const { return responder->Texts(); }

    QTemporaryDir work;
    QString savedCurrent;
    std::unique_ptr<TDMVyroba> vyroba;
    std::unique_ptr<TDMVyk> vyk;
    std::unique_ptr<TDMMzdy> mzdy;
    std::unique_ptr<TDMOdv> odv;
    std::unique_ptr<TDMExp> exp;
};
