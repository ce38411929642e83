// Reports read the program's data sets through this cursor: the current row of a TDataSet, its fields'
// captions and display texts. A data set that was closed and that nothing shows is opened for the read
// alone: it keeps no rows behind the current one and is closed again at its end.
#pragma once

#include "ReportCursor.h"

class TDataSet;

class TDataSetCursor : public ReportCursor {
public:
    explicit TDataSetCursor(TDataSet *dataSet) : ds_(dataSet) {}
    void first() override;
    void next() override;
    bool eof() const override;
    int fieldCount() const override;
    QString fieldName(int index) const override;
    QVariant value(int index) const override;
    QString displayLabel(int index) const override;
    FieldKind fieldKind(int index) const override;
    QString displayText(int index) const override;
    void disableControls() override;
    void enableControls() override;
    using ReportCursor::displayText;
    using ReportCursor::value;

private:
    void endOwnRead();
    TDataSet *ds_;
    bool ownRead_ = false; // opened forward-only by this cursor
};

// Makes reports bound to a data set read it through TDataSetCursor.
void RegisterDataSetCursor();
