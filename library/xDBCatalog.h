// TxDBCatalog: the one list of column captions and display formats that every data set without
// persistent fields takes when it opens, so a column looks the same in every grid and report.
#pragma once

#include "platform/os/Strings.h"

#include <functional>

class TDataSet;

class TxDBCatalog {
public:
    QString Name;
    // FIELDNAME=caption lines.
    TStringList Titles;
    // FIELDNAME=format lines; the format "$" means the money display.
    TStringList Formats;
};

// Gives the default fields of a data set of a TxDatabase with a catalogue their captions, formats,
// widths and defaults, then calls event (when given).
void ApplyCatalog(TDataSet *dataSet, const std::function<void(TDataSet *)> &event);
