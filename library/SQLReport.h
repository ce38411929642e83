// A banded report built at run time from a definition's <report> bands over the query of its <sql>
// text, its parameters asked in the "Parametre" dialog.
#pragma once

#include "library/xReport.h"

class TQuickRep;

class TSQLReport : public TReport {
public:
    TSQLReport();
    ~TSQLReport() override;
    void SetDataSet(TDataSet *data) override;
    void Load(TXMLElement *document) override;
    void LoadTemplate(TXMLElement *) override {}
    // Asks the parameters, opens the query and previews (or prints) the report; nothing when cancelled.
    void Run() override;
    void Print() override;

    // Gives the query the SQL text and the parameters typed; false without a data set or when cancelled.
    bool AskParametersAndOpen();
    TQuickRep *QuickRep() const { return report_.get(); }
    QString SQL() const { return sql_; }

private:
    void loadBands(TXMLElement *element);
    std::unique_ptr<TQuickRep> report_;
    TDataSet *data_ = nullptr;
    QString sql_;
};
