// The WHERE clause of the internal orders list (jobs over vZakazkyDKalk, the same columns in vZakOperacie
// and vZakazkyD) from the browser's filter controls as plain values, and the ready-made views' clauses.
// Every typed value enters the clause as a literal of its type: nothing typed can change the statement.
#pragma once

#include <QDate>
#include <QString>

struct TInternalOrderFilter {
    int JobNumber = 0;    // the job the browser was opened for; 0: none
    QString JobText;      // "č.Zákazky" as typed
    bool Period = false;  // "Obdobie"
    bool Overdue = false; // "Zahrnúť aj sklzy": every unfinished job due up to the to-date
    QString From, To;     // the period's dates as the date edits show them
    QString Product;      // "č.Výrobku": a prefix
    QString Customer;     // "č.Odberateľa": a number, "!" in front for every other customer
    QString Order;        // "č.Objednávky": a prefix
    QString Material;     // "Materiál": a prefix
    bool ComplaintsOnly = false;
    QString State;       // "Stav zákazky": the chosen line ("  5 Potvrdená"), empty for the range
    int LowestState = 1; // the range's lower end when no state is chosen (up to 100)

    // The clause ("where ..."). periodText gets the period the list covers ("do 31.12.26 + sklzy",
    // "01.12.26 - 31.12.26"), or empty. A date that is not a date throws the conversion error.
    QString Where(QString *periodText = nullptr) const;
};

// A date edit's text with no digit in it ("  .  .  ") is no date.
bool IsBlankDate(const QString &text);

// The ready-made views of the list by their index in "Pohľad": the clause of a fixed view (0 "Nezaplánované",
// 1 "Rozpracované", 2 "Odvedené", 6 "Odvedené ?", 7 "Ukončené ?"); empty for the views that set the filter.
QString InternalOrderViewWhere(int view);

// The state code of a "Stav zákazky" line: its first three characters; 0 when they are no number.
int StateOfChoice(const QString &line);
